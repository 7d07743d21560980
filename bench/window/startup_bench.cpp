// Start to first frame on screen, timed from exec, for the real program and for
// ImageMagick's display showing frame 0 from a bitmap file: both in a real window
// on the same private Xvfb, taken in turns, each the median of five starts.
// Without a window manager and under each of the common ones
// (--benchmark_filter=openbox, for one).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "frames/frame_files.h"
#include "frames/stored_pictures.h"
#include "runtime/picture.h"
#include "tests/window/frame_matcher.h"
#include "tests/window/x_session.h"

// Last: Xlib's macros (Status, Bool) would clash with the runtime's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kStarts = 5;
constexpr auto kGiveUp = 20s;

// A connection of our own to the session's server, so that a look at the screen
// starts no tool: a search with xdotool or a shot with import takes 5-40 ms
// each, a whole look here (find, shot and match) about 3 ms.
class Screen {
 public:
  explicit Screen(const std::string& display) : x_(XOpenDisplay(display.c_str())) {
    if (x_ == nullptr) throw std::runtime_error("cannot open " + display);
    // A window can go between finding it and looking at it; that look just fails.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    pid_atom_ = XInternAtom(x_, "_NET_WM_PID", False);
  }
  ~Screen() { XCloseDisplay(x_); }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // The first viewable window that `wanted` picks, among the root's children and,
  // under a window manager, inside their frames; 0 if none yet.
  Window find(const std::function<bool(Window)>& wanted) { return find_below(DefaultRootWindow(x_), wanted, 0); }

  long pid_of(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(x_, window, pid_atom_, 0, 1, False, XA_CARDINAL, &type, &format, &items, &left,
                           &data) == Success && data != nullptr) {
      if (items == 1 && format == 32) pid = *reinterpret_cast<long*>(data);
      XFree(data);
    }
    return pid;
  }

  Window find_below(Window parent, const std::function<bool(Window)>& wanted, int depth) {
    constexpr int kDeepestClient = 3;  // root, frame, the frame's inner window, client
    Window root = 0, grandparent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(x_, parent, &root, &grandparent, &children, &count) == 0) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
      XWindowAttributes a;
      if (XGetWindowAttributes(x_, children[i], &a) == 0 || a.map_state != IsViewable) continue;
      if (wanted(children[i])) {
        found = children[i];
      } else if (depth < kDeepestClient) {
        found = find_below(children[i], wanted, depth + 1);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  std::string name_of(Window window) {
    char* name = nullptr;
    std::string text;
    if (XFetchName(x_, window, &name) != 0 && name != nullptr) {
      text = name;
      XFree(name);
    }
    return text;
  }

  // Whether the window's pixel at (x, y) is white: a look at one pixel, which
  // keeps the server free for the program starting; none if the window went.
  std::optional<bool> white_at(Window window, int x, int y) {
    XImage* image = XGetImage(x_, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return std::nullopt;
    constexpr unsigned long kWhite = 0xffffff;
    const bool white = (XGetPixel(image, 0, 0) & kWhite) == kWhite;
    XDestroyImage(image);
    return white;
  }

  // The window's client area as it is on the screen; none if it went meanwhile.
  std::optional<xtest::RgbImage> shot(Window window) {
    XWindowAttributes a;
    if (XGetWindowAttributes(x_, window, &a) == 0) return std::nullopt;
    XImage* image = XGetImage(x_, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (image == nullptr) return std::nullopt;
    if (image->bits_per_pixel != 32 || image->byte_order != LSBFirst || image->red_mask != 0xff0000 ||
        image->blue_mask != 0xff) {
      XDestroyImage(image);
      throw std::runtime_error("the screen is not 24-bit RGB in 32-bit pixels");
    }
    // Read straight from the rows: a call per pixel would double the time of a look.
    xtest::RgbImage rgb{a.width, a.height, {}};
    rgb.pixels.reserve(static_cast<std::size_t>(a.width) * a.height);
    for (int y = 0; y < a.height; ++y) {
      const auto* row =
          reinterpret_cast<const std::uint32_t*>(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
      for (int x = 0; x < a.width; ++x) {
        rgb.pixels.push_back({std::uint8_t(row[x] >> 16), std::uint8_t(row[x] >> 8), std::uint8_t(row[x])});
      }
    }
    XDestroyImage(image);
    return rgb;
  }

 private:
  Display* x_;
  Atom pid_atom_ = 0;
};

using Wanted = std::function<bool(Window)>;
using ShowsFrame = std::function<bool(const xtest::RgbImage&)>;

// A pixel of the window that is white once the frame is shown, and not before.
struct Probe {
  int x = 0, y = 0;
};

// Milliseconds from the launch until a look at the window shows the frame. A look
// is one pixel, and the whole window only once that pixel is white; looks follow
// each other with no pause, so a figure is late by at most one look.
double ms_to_frame(xtest::XSession& session, Screen& screen, const std::vector<std::string>& argv,
                   const Wanted& wanted, const Probe& probe, const ShowsFrame& shows) {
  const auto start = Clock::now();
  session.launch(argv);
  // Found once, the window is only looked at: under a window manager a search
  // walks its frames and bars, and would delay the look that sees the frame.
  Window window = 0;
  for (;;) {
    if (window == 0) window = screen.find(wanted);
    if (window != 0) {
      const std::optional<bool> white = screen.white_at(window, probe.x, probe.y);
      const std::optional<xtest::RgbImage> shot = white.value_or(false) ? screen.shot(window) : std::nullopt;
      const auto seen = Clock::now();
      if (shot && shows(*shot)) {
        session.program().kill_now();
        // Its window must be gone before the next start looks for one like it.
        while (screen.find(wanted) != 0) {
        }
        return std::chrono::duration<double, std::milli>(seen - start).count();
      }
      if (!white) window = 0;  // it went: look for it again
    }
    if (Clock::now() - start > kGiveUp) throw std::runtime_error(argv[0] + " showed no frame");
  }
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Frame 0 as a bitmap file in a directory of its own, removed with it.
struct FrameFile {
  std::filesystem::path directory, path;
  FrameFile() {
    char name[] = "/tmp/startup-bench-XXXXXX";
    if (mkdtemp(name) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory = name;
    path = directory / "frame0.bmp";
    const std::vector<std::uint8_t> bytes = frames::frame_bitmap(0);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  ~FrameFile() { std::filesystem::remove_all(directory); }
};

// Whether the shot's top-left shows the whole of the frame, pixel for pixel.
bool shows_at_origin(const xtest::RgbImage& shot, const xtest::RgbImage& frame) {
  if (shot.width < frame.width || shot.height < frame.height) return false;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      if (shot.at(x, y) != frame.at(x, y)) return false;
    }
  }
  return true;
}

// The frames' corners are white: in zemk's window inside the picture area's
// border, in display's window at its own corner.
constexpr Probe kFramesCorner{xtest::kBorder, xtest::kBorder}, kPicturesCorner{0, 0};

void BM_StartToFirstFrame(benchmark::State& state, xtest::WindowManager window_manager) {
  const FrameFile file;
  const xtest::RgbImage frame0 = xtest::colours_of(*rt::decode_stored_picture(frames::stored_picture(1), "Image1"));
  const xtest::FrameMatcher& matcher = xtest::frame_matcher();  // decodes the frames now, untimed

  for (auto _ : state) {
    xtest::XSession session({.window_manager = window_manager});
    Screen screen(session.display());
    const Wanted zemk_window = [&](Window w) { return screen.pid_of(w) == session.program().pid(); };
    const ShowsFrame zemk_shows = [&](const xtest::RgbImage& shot) { return matcher.frame_shown(shot) >= 0; };
    // display names its window after the file and sets no pid on it.
    const std::string display_name = "ImageMagick: " + file.path.filename().string();
    const Wanted display_window = [&](Window w) { return screen.name_of(w) == display_name; };
    const ShowsFrame display_shows = [&](const xtest::RgbImage& shot) { return shows_at_origin(shot, frame0); };

    std::vector<double> zemk_ms, display_ms;
    try {
      for (int i = 0; i < kStarts; ++i) {
        zemk_ms.push_back(ms_to_frame(session, screen, {ZEMK_PROGRAM}, zemk_window, kFramesCorner, zemk_shows));
        display_ms.push_back(ms_to_frame(session, screen, {"display", "-geometry", "+0+0", file.path.string()},
                                         display_window, kPicturesCorner, display_shows));
      }
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      break;
    }
    state.counters["zemk_ms"] = median(zemk_ms);
    state.counters["display_ms"] = median(display_ms);
    state.counters["ratio"] = median(zemk_ms) / median(display_ms);
  }
}
const bool registered = [] {
  for (const xtest::WindowManager window_manager : xtest::kEveryWindowManager) {
    benchmark::RegisterBenchmark(("BM_StartToFirstFrame/" + xtest::name_of(window_manager)).c_str(),
                                 BM_StartToFirstFrame, window_manager)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
