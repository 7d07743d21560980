#include "runtime/sdl/desktop.h"

#include <SDL.h>

#include <stdlib.h>  // getenv, setenv and unsetenv
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/errors.h"
#include "runtime/picture.h"
#include "runtime/sdl/blit.h"
#include "runtime/sdl/display_loss.h"
#include "runtime/sdl/display_probe.h"
#include "runtime/sdl/events.h"
#include "runtime/window_builder.h"

namespace rt {
namespace {

// Colours of the picture area: a grey face, and the two-pixel sunken edge of a
// three-dimensional control (shadow above and left, light below and right).
constexpr SDL_Color kFace{192, 192, 192, 255};
constexpr SDL_Color kOuterShadow{128, 128, 128, 255};
constexpr SDL_Color kInnerShadow{64, 64, 64, 255};
constexpr SDL_Color kOuterLight{255, 255, 255, 255};
constexpr SDL_Color kInnerLight{223, 223, 223, 255};

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
      // SDL connects to the session's message bus, for input methods and the
      // screensaver. Where there is none, libdbus would start one of its own
      // (dbus-launch), which would outlive the program; the fork alone costs
      // some 3 ms of every start. An address it cannot use makes it do without.
      std::optional<ScopedVariable> no_bus_of_its_own;
      if (!session_bus_exists()) no_bus_of_its_own.emplace("DBUS_SESSION_BUS_ADDRESS", "disabled:");
      if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        raise(ErrorNumber::desktop, "cannot open display " + std::string(display) + ": " +
                                        display_refusal(display, "the X server answers, but SDL cannot use it: " + sdl_error()));
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
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               twips_to_pixels(layout.client_width),
                               twips_to_pixels(layout.client_height), SDL_WINDOW_SHOWN);
    if (window_ == nullptr) raise(ErrorNumber::desktop, "cannot open the window: " + sdl_error());
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

  void present(const Picture* picture) override {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (target == nullptr) return;  // the window is gone; close or display loss follows
    if (target->pixels != prefaulted_) {
      prefault(target);
      prefaulted_ = target->pixels;
    }
    draw_border(target);
    const SDL_Rect inner{area_.left + area_.border, area_.top + area_.border,
                         area_.width - 2 * area_.border, area_.height - 2 * area_.border};
    int covered_rows = 0;
    if (picture != nullptr) {
      const int shown_width = std::min(picture->width(), inner.w);
      covered_rows = std::min(picture->height(), inner.h);
      blit_picture(*picture, target, inner.x, inner.y, shown_width, covered_rows);
      if (shown_width < inner.w) fill(target, {inner.x + shown_width, inner.y, inner.w - shown_width, covered_rows}, kFace);
    }
    fill(target, {inner.x, inner.y + covered_rows, inner.w, inner.h - covered_rows}, kFace);
    SDL_UpdateWindowSurface(window_);
  }

  bool hide() override {
    SDL_HideWindow(window_);
    return true;
  }

  void report_error(std::string_view message) override {
    const std::string text(message);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "zemk", text.c_str(), window_);
  }

 private:
  // A new window surface is fresh shared memory. Asking for all its pages at once
  // costs a fraction of taking one fault a page while drawing the first frame
  // (about 1.5 ms of a start). Where the system cannot, the faults come as before.
  static void prefault(const SDL_Surface* surface) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(surface->pixels);
    const auto end = begin + static_cast<std::uintptr_t>(surface->pitch) * static_cast<std::uintptr_t>(surface->h);
    const std::uintptr_t first_page = begin & ~(page - 1);
    madvise(reinterpret_cast<void*>(first_page), end - first_page, MADV_POPULATE_WRITE);
  }

  static void fill(SDL_Surface* target, SDL_Rect rect, SDL_Color colour) {
    if (rect.w <= 0 || rect.h <= 0) return;
    SDL_FillRect(target, &rect, SDL_MapRGB(target->format, colour.r, colour.g, colour.b));
  }

  void draw_border(SDL_Surface* target) const {
    const int l = area_.left, t = area_.top, w = area_.width, h = area_.height;
    for (int ring = 0; ring < area_.border; ++ring) {
      const SDL_Color shadow = ring == 0 ? kOuterShadow : kInnerShadow;
      const SDL_Color light = ring == 0 ? kOuterLight : kInnerLight;
      const int x = l + ring, y = t + ring, rw = w - 2 * ring, rh = h - 2 * ring;
      fill(target, {x, y, rw - 1, 1}, shadow);           // top
      fill(target, {x, y + 1, 1, rh - 2}, shadow);       // left
      fill(target, {x, y + rh - 1, rw, 1}, light);       // bottom
      fill(target, {x + rw - 1, y, 1, rh - 1}, light);   // right
    }
  }

  SDL_Window* window_ = nullptr;
  const void* prefaulted_ = nullptr;  // the pixels of the surface last prefaulted
  PictureAreaGeometry area_;
};

}  // namespace

std::unique_ptr<Desktop> make_sdl_desktop() { return std::make_unique<SdlDesktop>(); }

}  // namespace rt
