#include "runtime/sdl/desktop.h"

#include <SDL.h>

#include <stdlib.h>  // getenv, setenv and unsetenv
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>

#include "runtime/errors.h"
#include "runtime/picture.h"
#include "runtime/sdl/blit.h"
#include "runtime/sdl/canvas.h"
#include "runtime/sdl/display_loss.h"
#include "runtime/sdl/display_probe.h"
#include "runtime/sdl/events.h"
#include "runtime/sdl/x_frame.h"
#include "runtime/sdl/x_window.h"
#include "runtime/window_builder.h"

namespace rt {
namespace {

// Colours of the picture area: a grey face, and the two-pixel sunken edge of a
// three-dimensional control (shadow above and left, light below and right).
constexpr Picture::Rgb kFace{192, 192, 192};
constexpr Picture::Rgb kOuterShadow{128, 128, 128};
constexpr Picture::Rgb kInnerShadow{64, 64, 64};
constexpr Picture::Rgb kOuterLight{255, 255, 255};
constexpr Picture::Rgb kInnerLight{223, 223, 223};

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

class SdlDesktop final : public Desktop {
 public:
  SdlDesktop() {
    const char* display = getenv("DISPLAY");
    if (display == nullptr || *display == '\0') raise(ErrorNumber::desktop, "no display: DISPLAY is not set");
    // X only, under Wayland too (through its X server): SDL's other drivers would
    // be tried first, and the Wayland one complains on stderr where it cannot run.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The window surface without framebuffer acceleration presents through
    // shared-memory images: several times faster and leaner than a GL context.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    {
      // SDL opens X's input method in the environment's locale, and in a UTF-8
      // locale Xlib then parses that locale's whole compose table, a character
      // at a time: some 10 ms of every start. The program answers ASCII
      // characters only, which the C locale's input method types alike.
      const ScopedVariable c_locale("LC_ALL", "C");  // LC_ALL overrides the others
      // SDL picks its visual as it starts, a DirectColor one where the screen has
      // one, and its colour ramp on a 16-bit screen is inexact. TrueColor shows
      // every colour the depth can. SDL reads this from the environment only.
      const ScopedVariable true_colour(kNoDirectColor, "1");
      // SDL connects to the session's message bus, for input methods and the
      // screensaver. Where there is none, libdbus would start one of its own
      // (dbus-launch), which would outlive the program; the fork alone costs
      // some 3 ms of every start. An address it cannot use makes it do without.
      std::optional<ScopedVariable> no_bus_of_its_own;
      if (!session_bus_exists()) no_bus_of_its_own.emplace("DBUS_SESSION_BUS_ADDRESS", "disabled:");
      if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        const std::string accepted = "the X server answers, but SDL cannot use it: " + sdl_error();
        raise(ErrorNumber::desktop,
              "cannot open display " + std::string(display) + ": " + display_refusal(display, accepted));
      }
    }
    end_program_on_display_loss();
  }

  ~SdlDesktop() override {
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  void open(const WindowLayout& layout, const PictureAreaGeometry& area) override {
    area_ = area;
    const std::string caption(layout.caption);
    const auto create = [&] {
      // Hidden until it can be drawn on and stands in its place.
      window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 twips_to_pixels(layout.client_width), twips_to_pixels(layout.client_height),
                                 SDL_WINDOW_HIDDEN);
      if (window_ == nullptr) raise(ErrorNumber::desktop, "cannot open the window: " + sdl_error());
    };
    create();
    canvas_ = sdl_surface_canvas(window_);
    if (canvas_ == nullptr) {
      const WindowVisual visual = visual_of(window_);
      if (!visual.true_colour) {
        // The frames' colours need a visual of fixed colours; a screen may have
        // one beside its default one.
        const unsigned long other = true_colour_visual(window_);
        if (other == 0) refuse(visual, "and the screen offers no TrueColor visual");
        SDL_DestroyWindow(window_);
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(other).c_str());
        create();
        canvas_ = sdl_surface_canvas(window_);
      }
      if (canvas_ == nullptr) canvas_ = x_image_canvas(window_);
      if (canvas_ == nullptr) refuse(visual_of(window_), "whose pixels the program cannot write");
    }
    set_background(window_, canvas_->layout().value(kFace));
    // A frame that is not known in advance counts as none: without a window
    // manager the client area is the whole window.
    centre_frame(frame_extents_in_advance(window_).value_or(FrameExtents{}));
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_StartTextInput();
    // No paint here: mapping the window exposes it, and the first pump repaints
    // it, by then with the program's first picture.
  }

  void poll(std::vector<DesktopEvent>& events) override {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (auto translated = translate_sdl_event(event, SDL_GetModState())) {
        events.push_back(std::move(*translated));
      }
    }
  }

  bool present(const Picture* picture) override {
    PixelTarget* target = canvas_->pixels();
    if (target == nullptr) return false;
    draw_border(*target);
    const int inner_x = area_.left + area_.border, inner_y = area_.top + area_.border;
    const int inner_w = area_.width - 2 * area_.border, inner_h = area_.height - 2 * area_.border;
    int covered_rows = 0;
    if (picture != nullptr) {
      const int shown_width = std::min(picture->width(), inner_w);
      covered_rows = std::min(picture->height(), inner_h);
      blit_picture(*picture, *target, inner_x, inner_y, shown_width, covered_rows);
      fill_rect(*target, inner_x + shown_width, inner_y, inner_w - shown_width, covered_rows, kFace);
    }
    fill_rect(*target, inner_x, inner_y + covered_rows, inner_w, inner_h - covered_rows, kFace);
    canvas_->show();
    return true;
  }

  bool hide() override {
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

  // Where the window cannot be drawn on, it is never shown, and the program ends
  // before its first frame.
  [[noreturn]] void refuse(const WindowVisual& visual, const std::string& what) {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    raise(ErrorNumber::desktop, "cannot show the window on this screen: its visual is " + visual.class_name +
                                    " of depth " + std::to_string(visual.depth) + ", " + what);
  }

  void draw_border(const PixelTarget& target) const {
    const int l = area_.left, t = area_.top, w = area_.width, h = area_.height;
    for (int ring = 0; ring < area_.border; ++ring) {
      const Picture::Rgb shadow = ring == 0 ? kOuterShadow : kInnerShadow;
      const Picture::Rgb light = ring == 0 ? kOuterLight : kInnerLight;
      const int x = l + ring, y = t + ring, rw = w - 2 * ring, rh = h - 2 * ring;
      fill_rect(target, x, y, rw - 1, 1, shadow);          // top
      fill_rect(target, x, y + 1, 1, rh - 2, shadow);      // left
      fill_rect(target, x, y + rh - 1, rw, 1, light);      // bottom
      fill_rect(target, x + rw - 1, y, 1, rh - 1, light);  // right
    }
  }

  SDL_Window* window_ = nullptr;
  std::unique_ptr<WindowCanvas> canvas_;
  PictureAreaGeometry area_;
};

}  // namespace

std::unique_ptr<Desktop> make_sdl_desktop() { return std::make_unique<SdlDesktop>(); }

}  // namespace rt
