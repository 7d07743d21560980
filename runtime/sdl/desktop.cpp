#include "runtime/sdl/desktop.h"

#include <SDL.h>

#include <stdlib.h>  // getenv, setenv and unsetenv
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>

#include "runtime/errors.h"
#include "runtime/picture.h"
#include "runtime/sdl/canvas.h"
#include "runtime/sdl/display_loss.h"
#include "runtime/sdl/display_probe.h"
#include "runtime/sdl/events.h"
#include "runtime/sdl/picture_area_painter.h"
#include "runtime/sdl/x_frame.h"
#include "runtime/sdl/x_window.h"
#include "runtime/window_builder.h"

namespace rt {
namespace {

constexpr const char* kNoDirectColor = "SDL_VIDEO_X11_NODIRECTCOLOR";

std::string sdl_error() { return SDL_GetError(); }

// Sets an environment variable for as long as it lives, then puts back what
// was there.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) saved_ = old;
    setenv(name, value, /*overwrite=*/1);
  }
  ~ScopedVariable() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

// Whether the user's session has a message bus that libdbus would find: its
// address in the environment, or the socket in the runtime directory.
bool session_bus_exists() {
  if (getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return true;
  const char* runtime_directory = getenv("XDG_RUNTIME_DIR");
  struct stat socket_status {};
  return runtime_directory != nullptr &&
         stat((std::string(runtime_directory) + "/bus").c_str(), &socket_status) == 0 &&
         S_ISSOCK(socket_status.st_mode);
}

// SDL's video on the X display, started in the environment that makes its start
// quick and its colours exact; the environment is put back once it has started.
// startup_bench measures the start.
void start_video(const char* display) {
  // SDL opens X's input method in the environment's locale, and in a UTF-8
  // locale Xlib then parses that locale's whole compose table, a character at a
  // time. The program answers ASCII characters only, which the C locale's input
  // method types alike.
  const ScopedVariable c_locale("LC_ALL", "C");  // LC_ALL overrides the others
  // SDL picks its visual as it starts, a DirectColor one where the screen has
  // one, and its colour ramp on a 16-bit screen is inexact. TrueColor shows every
  // colour the depth can. SDL reads this from the environment only.
  const ScopedVariable true_colour(kNoDirectColor, "1");
  // SDL connects to the session's message bus, for input methods and the
  // screensaver. Where there is none, libdbus would start one of its own
  // (dbus-launch), which would outlive the program and whose fork alone slows
  // every start. An address it cannot use makes it do without.
  std::optional<ScopedVariable> no_bus_of_its_own;
  if (!session_bus_exists()) no_bus_of_its_own.emplace("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    const std::string accepted = "the X server answers, but SDL cannot use it: " + sdl_error();
    raise(ErrorNumber::desktop,
          "cannot open display " + std::string(display) + ": " + display_refusal(display, accepted));
  }
}

class SdlDesktop final : public Desktop {
 public:
  SdlDesktop() {
    const char* display = getenv("DISPLAY");
    if (display == nullptr || *display == '\0') raise(ErrorNumber::desktop, "no display: DISPLAY is not set");
    // X only, under Wayland too (through its X server): SDL's other drivers would
    // be tried first, and the Wayland one complains on stderr where it cannot run.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The window surface without framebuffer acceleration presents through
    // shared-memory images: faster and leaner than a GL context (window_bench).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    start_video(display);
    end_program_on_display_loss();
  }

  ~SdlDesktop() override {
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  void open(const WindowLayout& layout, const PictureAreaGeometry& area) override {
    area_ = area;
    create_window(layout);
    choose_canvas(layout);
    set_background(window_, canvas_->masks().value(kFaceColour));
    set_title_bar(window_, motif_hints(layout.title_bar));
    // A frame that is not known in advance counts as none: without a window
    // manager the client area is the whole window.
    centre_frame(frame_extents_in_advance(window_).value_or(FrameExtents{}));
    show_window();
  }

  void poll(std::vector<DesktopEvent>& events) override {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (auto translated = translate_sdl_event(event, SDL_GetModState())) {
        events.push_back(std::move(*translated));
      }
    }
  }

  bool present(const Picture* picture) override { return paint_picture_area(*canvas_, area_, picture); }

  bool hide() override {
    if (window_ == nullptr) return false;
    SDL_HideWindow(window_);
    return true;
  }

  void report_error(std::string_view message) override {
    // No window, no box: a screen the window could not be shown on would not show
    // the box either, and the program would wait on it. stderr has the message.
    if (window_ == nullptr) return;
    const std::string text(message);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "zemk", text.c_str(), window_);
  }

 private:
  // Hidden until it can be drawn on and stands in its place.
  void create_window(const WindowLayout& layout) {
    const std::string caption(layout.caption);
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               twips_to_pixels(layout.client_width), twips_to_pixels(layout.client_height),
                               SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) raise(ErrorNumber::desktop, "cannot open the window: " + sdl_error());
  }

  // SDL's window surface where it has one for the window's visual; else an X
  // image of it. A visual of changeable colours cannot show the frames, so the
  // window is made again with a TrueColor one where the screen has it.
  void choose_canvas(const WindowLayout& layout) {
    canvas_ = sdl_surface_canvas(window_);
    if (canvas_ != nullptr) return;
    const WindowVisual visual = visual_of(window_);
    if (!visual.true_colour) {
      const unsigned long other = true_colour_visual(window_);
      if (other == 0) refuse(visual, "and the screen offers no TrueColor visual");
      SDL_DestroyWindow(window_);
      SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(other).c_str());
      create_window(layout);
      canvas_ = sdl_surface_canvas(window_);
    }
    if (canvas_ == nullptr) canvas_ = x_image_canvas(window_);
    if (canvas_ == nullptr) refuse(visual_of(window_), "whose pixels the program cannot write");
  }

  // The whole frame centred on the window's screen. On a screen too small for it
  // its top-left corner stays on the screen, so that the title bar can be reached.
  void centre_frame(const FrameExtents& extents) {
    SDL_Rect screen{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &screen) != 0) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    const int frame_width = width + extents.left + extents.right;
    const int frame_height = height + extents.top + extents.bottom;
    place_frame(window_, screen.x + std::max(0, (screen.w - frame_width) / 2),
                screen.y + std::max(0, (screen.h - frame_height) / 2), extents);
  }

  // No paint here: mapping the window exposes it, and the first pump repaints
  // it, by then with the program's first picture.
  void show_window() {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_StartTextInput();
  }

  // Where the window cannot be drawn on, it is never shown, and the program ends
  // before its first frame.
  [[noreturn]] void refuse(const WindowVisual& visual, const std::string& what) {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    raise(ErrorNumber::desktop, "cannot show the window on this screen: its visual is " + visual.class_name +
                                    " of depth " + std::to_string(visual.depth) + ", " + what);
  }

  SDL_Window* window_ = nullptr;
  std::unique_ptr<WindowCanvas> canvas_;
  PictureAreaGeometry area_;
};

}  // namespace

std::unique_ptr<Desktop> make_sdl_desktop() { return std::make_unique<SdlDesktop>(); }

}  // namespace rt
