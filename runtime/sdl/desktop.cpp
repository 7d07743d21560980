#include "runtime/sdl/desktop.h"

#include <SDL.h>

#include <stdlib.h>  // getenv, setenv and unsetenv
#include <sys/stat.h>

#include <optional>
#include <string>

#include "runtime/errors.h"
#include "runtime/picture.h"
#include "runtime/sdl/canvas.h"
#include "runtime/sdl/display_loss.h"
#include "runtime/sdl/display_probe.h"
#include "runtime/sdl/ending_signals.h"
#include "runtime/sdl/events.h"
#include "runtime/sdl/picture_area_painter.h"
#include "runtime/sdl/x_errors.h"
#include "runtime/sdl/x_fixed_size.h"
#include "runtime/sdl/x_frame.h"
#include "runtime/sdl/x_window.h"
#include "runtime/sdl/x_window_events.h"
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

// What the runtime's desktop error says of a window that went under the program.
constexpr const char* kWindowClosed = "the window was closed by another program";

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
    // SDL's own signal handlers only queue a quit event, which nothing reads while
    // the error box is up.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    take_ending_signals();
    end_program_on_display_loss();
    keep_x_errors();
    start_video(display);
  }

  ~SdlDesktop() override {
    // Once the connection is gone SDL cannot close the window; the process's end
    // releases all the same.
    if (window_ != nullptr && display_lost(window_)) return;
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  void open(const WindowLayout& layout, const PictureAreaGeometry& area) override {
    area_ = area;
    create_window(layout);
    choose_canvas(layout);
    set_background(window_, canvas_->masks().value(kFaceColour));
    set_title_bar(window_, motif_hints(layout.title_bar));
    set_icon_name(window_, layout.caption);
    const std::optional<ScreenRect> screen = screen_of_window();
    if (screen) place_hidden_window(window_, *screen, told_frame_extents(window_));
    events_.emplace(window_);
    show_window();
    if (screen) centre_framed_window(window_, *screen);
    fixed_size_.emplace(window_, twips_to_pixels(layout.client_width), twips_to_pixels(layout.client_height));
    raise_what_x_reported();
  }

  void poll(std::vector<DesktopEvent>& events) override {
    raise_what_x_reported();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_SYSWMEVENT) {
        events_->read(*event.syswm.msg);
      } else if (auto translated = translate_sdl_event(event, SDL_GetModState())) {
        // SDL hands on the X press before it makes its own event of it.
        if (translated->kind == DesktopEvent::Kind::button_down) translated->clicks = events_->clicks_of_last_press();
        events.push_back(std::move(*translated));
      }
    }
    raise_what_x_reported();
    fixed_size_->keep(events_->state_changes());
    // A signal to end ends the program as the window manager's close does.
    if (end_requested()) events.push_back(DesktopEvent::closed());
  }

  // While the window is not at its size it is being put back; the expose that
  // follows repaints it, and SDL's surface is not made at a size it will not keep.
  bool present(const Picture* picture) override {
    raise_what_x_reported();
    if (!fixed_size_->held()) return true;
    const bool shown = paint_picture_area(*canvas_, area_, picture);
    raise_what_x_reported();
    return shown;
  }

  bool hide() override {
    if (window_ == nullptr) return false;
    raise_what_x_reported();
    SDL_HideWindow(window_);
    raise_what_x_reported();
    return true;
  }

  void report_error(std::string_view message) override {
    // No window, no box: a screen the window could not be shown on would not show
    // the box either, and the program would wait on it. stderr has the message.
    if (window_ == nullptr || display_lost(window_) || (events_ && events_->window_destroyed())) return;
    const std::string text(message);
    const ErrorBoxUp box;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "zemk", text.c_str(), window_);
  }

 private:
  // Hidden until it can be drawn on and stands in its place. The window manager
  // is asked for its frame at once, to answer while the window is made ready.
  void create_window(const WindowLayout& layout) {
    const std::string caption(layout.caption);
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               twips_to_pixels(layout.client_width), twips_to_pixels(layout.client_height),
                               SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) raise(ErrorNumber::desktop, "cannot open the window: " + sdl_error());
    ask_frame_extents(window_);
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

  std::optional<ScreenRect> screen_of_window() const {
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &bounds) != 0) return std::nullopt;
    return ScreenRect{.x = bounds.x, .y = bounds.y, .width = bounds.w, .height = bounds.h};
  }

  // No paint here: mapping the window exposes it, and the first pump repaints
  // it, by then with the program's first picture.
  void show_window() {
    raise_what_x_reported();
    SDL_ShowWindow(window_);
    wait_until_framed(window_);
    SDL_RaiseWindow(window_);
    SDL_StartTextInput();
  }

  // What went wrong under the window since the desktop last looked, as the
  // runtime's desktop error: the display lost, the window gone, an X error.
  // Looked at before SDL's calls, where a loss could not be left, and after them.
  void raise_what_x_reported() {
    if (display_lost(window_)) raise(ErrorNumber::desktop, kDisplayLost);
    if (events_ && events_->window_destroyed()) raise(ErrorNumber::desktop, kWindowClosed);
    if (const auto error = first_kept_x_error(window_)) {
      raise(ErrorNumber::desktop, error->window_gone ? kWindowClosed : "the X server reported an error: " + error->name);
    }
  }

  // Where the window cannot be drawn on, it is never shown, and the program ends
  // before its first frame.
  [[noreturn]] void refuse(const WindowVisual& visual, const std::string& what) {
    raise_what_x_reported();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    raise(ErrorNumber::desktop, "cannot show the window on this screen: its visual is " + visual.class_name +
                                    " of depth " + std::to_string(visual.depth) + ", " + what);
  }

  SDL_Window* window_ = nullptr;
  std::unique_ptr<WindowCanvas> canvas_;
  PictureAreaGeometry area_;
  std::optional<XWindowEvents> events_;
  std::optional<FixedSize> fixed_size_;
};

}  // namespace

std::unique_ptr<Desktop> make_sdl_desktop() { return std::make_unique<SdlDesktop>(); }

}  // namespace rt
