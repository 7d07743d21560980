#include "runtime/sdl/events.h"

#include <SDL.h>

namespace rt {
namespace {

// Keys that type no text: they come only as key-down events. The keys that type
// characters come as text input and are ignored here.
std::optional<NamedKey> named_key(SDL_Keycode code) {
  switch (code) {
    case SDLK_ESCAPE: return NamedKey::escape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return NamedKey::enter;
    case SDLK_BACKSPACE: return NamedKey::backspace;
    case SDLK_TAB: return NamedKey::tab;
    default: return std::nullopt;
  }
}

MouseButton mouse_button(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::left;
    case SDL_BUTTON_MIDDLE: return MouseButton::middle;
    case SDL_BUTTON_RIGHT: return MouseButton::right;
    default: return MouseButton::other;
  }
}

// SDL's button mask (left 1, middle 2, right 4) as the runtime counts it
// (left 1, right 2, middle 4).
int buttons_held(Uint32 state) {
  int held = 0;
  if (state & SDL_BUTTON_LMASK) held |= 1;
  if (state & SDL_BUTTON_RMASK) held |= 2;
  if (state & SDL_BUTTON_MMASK) held |= 4;
  return held;
}

int modifiers_held(int modifiers) {
  int held = 0;
  if (modifiers & KMOD_SHIFT) held |= 1;
  if (modifiers & KMOD_CTRL) held |= 2;
  if (modifiers & KMOD_ALT) held |= 4;
  return held;
}

bool shows_window(Uint8 window_event) {
  return window_event == SDL_WINDOWEVENT_EXPOSED || window_event == SDL_WINDOWEVENT_SHOWN ||
         window_event == SDL_WINDOWEVENT_RESTORED;
}

}  // namespace

std::optional<DesktopEvent> translate_sdl_event(const SDL_Event& event, int modifiers) {
  switch (event.type) {
    case SDL_TEXTINPUT:
      return DesktopEvent::typed(event.text.text);
    case SDL_KEYDOWN:
      if (auto key = named_key(event.key.keysym.sym)) return DesktopEvent::pressed(*key);
      return std::nullopt;
    case SDL_MOUSEBUTTONDOWN:
      return DesktopEvent::down(event.button.x, event.button.y, event.button.clicks,
                                mouse_button(event.button.button));
    case SDL_MOUSEBUTTONUP:
      return DesktopEvent::up(event.button.x, event.button.y, mouse_button(event.button.button));
    case SDL_MOUSEMOTION:
      // While a button is held SDL captures the pointer: positions outside the
      // window, negative to the left and above, are passed on as they come.
      return DesktopEvent::moved(event.motion.x, event.motion.y, buttons_held(event.motion.state),
                                 modifiers_held(modifiers));
    case SDL_QUIT:  // the window manager's close
      return DesktopEvent::closed();
    case SDL_WINDOWEVENT:
      if (shows_window(event.window.event)) return DesktopEvent{.kind = DesktopEvent::Kind::expose};
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace rt
