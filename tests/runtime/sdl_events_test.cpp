// The translation of SDL's events into desktop events, on events built by hand.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/sdl/events.h"

namespace {

using rt::DesktopEvent;
using rt::MouseButton;
using rt::NamedKey;
using Kind = DesktopEvent::Kind;

SDL_Event key_down(SDL_Keycode code) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = code;
  return e;
}

SDL_Event key_up(SDL_Keycode code) {
  SDL_Event e = key_down(code);
  e.type = SDL_KEYUP;
  return e;
}

SDL_Event text(const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
  return e;
}

SDL_Event button(Uint32 type, Uint8 which, int x, int y, Uint8 clicks) {
  SDL_Event e{};
  e.type = type;
  e.button.button = which;
  e.button.x = x;
  e.button.y = y;
  e.button.clicks = clicks;
  return e;
}

SDL_Event motion(int x, int y, Uint32 state) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  return e;
}

SDL_Event window_event(SDL_WindowEventID id) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = id;
  return e;
}

SDL_Event of_type(Uint32 type) {
  SDL_Event e{};
  e.type = type;
  return e;
}

const DesktopEvent kExpose{.kind = Kind::expose};

struct Case {
  const char* name;
  SDL_Event event;
  int modifiers;
  std::optional<DesktopEvent> expected;
};

void expect_same(const DesktopEvent& want, const DesktopEvent& got) {
  EXPECT_EQ(want.kind, got.kind);
  EXPECT_EQ(want.text, got.text);
  EXPECT_EQ(want.key, got.key);
  EXPECT_EQ(want.button, got.button);
  EXPECT_EQ(want.clicks, got.clicks);
  EXPECT_EQ(want.x, got.x);
  EXPECT_EQ(want.y, got.y);
  EXPECT_EQ(want.buttons, got.buttons);
  EXPECT_EQ(want.shift, got.shift);
}

TEST(SdlEventTranslation, EachEventGivesItsDesktopEventOrNone) {
  const Case cases[] = {
      {"typed character", text("+"), 0, DesktopEvent::typed("+")},
      {"typed multibyte UTF-8 kept as is", text("\xC3\xA9"), 0, DesktopEvent::typed("\xC3\xA9")},
      {"escape", key_down(SDLK_ESCAPE), 0, DesktopEvent::pressed(NamedKey::escape)},
      {"return", key_down(SDLK_RETURN), 0, DesktopEvent::pressed(NamedKey::enter)},
      {"keypad enter", key_down(SDLK_KP_ENTER), 0, DesktopEvent::pressed(NamedKey::enter)},
      {"backspace", key_down(SDLK_BACKSPACE), 0, DesktopEvent::pressed(NamedKey::backspace)},
      {"tab", key_down(SDLK_TAB), 0, DesktopEvent::pressed(NamedKey::tab)},
      // A character key's text comes as text input: its key-down gives nothing,
      // or each press would count twice.
      {"character key down", key_down(SDLK_v), 0, std::nullopt},
      {"space key down", key_down(SDLK_SPACE), 0, std::nullopt},
      {"escape key up", key_up(SDLK_ESCAPE), 0, std::nullopt},
      {"left press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20, 1), 0, DesktopEvent::down(10, 20, 1)},
      {"second press of a double-click", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20, 2), 0,
       DesktopEvent::down(10, 20, 2)},
      {"right press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 2, 1), 0,
       DesktopEvent::down(1, 2, 1, MouseButton::right)},
      {"middle press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 2, 1), 0,
       DesktopEvent::down(1, 2, 1, MouseButton::middle)},
      {"extra button press", button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 2, 1), 0,
       DesktopEvent::down(1, 2, 1, MouseButton::other)},
      {"left release", button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 570, 565, 1), 0, DesktopEvent::up(570, 565)},
      {"plain motion", motion(300, 200, 0), 0, DesktopEvent::moved(300, 200)},
      {"motion, each button held", motion(5, 6, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK | SDL_BUTTON_RMASK), 0,
       DesktopEvent::moved(5, 6, 1 | 2 | 4)},
      {"motion, right held", motion(5, 6, SDL_BUTTON_RMASK), 0, DesktopEvent::moved(5, 6, 2)},
      {"motion, middle held", motion(5, 6, SDL_BUTTON_MMASK), 0, DesktopEvent::moved(5, 6, 4)},
      {"motion, right shift", motion(5, 6, 0), KMOD_RSHIFT, DesktopEvent::moved(5, 6, 0, 1)},
      {"motion, left ctrl and alt", motion(5, 6, 0), KMOD_LCTRL | KMOD_LALT, DesktopEvent::moved(5, 6, 0, 2 | 4)},
      {"motion, caps lock is no modifier", motion(5, 6, 0), KMOD_CAPS, DesktopEvent::moved(5, 6, 0, 0)},
      {"captured motion left of and above the window", motion(-40, -3, SDL_BUTTON_LMASK), 0,
       DesktopEvent::moved(-40, -3, 1)},
      {"window manager's close", of_type(SDL_QUIT), 0, DesktopEvent::closed()},
      {"exposed", window_event(SDL_WINDOWEVENT_EXPOSED), 0, kExpose},
      {"shown", window_event(SDL_WINDOWEVENT_SHOWN), 0, kExpose},
      {"restored", window_event(SDL_WINDOWEVENT_RESTORED), 0, kExpose},
      {"focus gained", window_event(SDL_WINDOWEVENT_FOCUS_GAINED), 0, std::nullopt},
      {"moved window", window_event(SDL_WINDOWEVENT_MOVED), 0, std::nullopt},
      {"mouse wheel", of_type(SDL_MOUSEWHEEL), 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto got = rt::translate_sdl_event(c.event, c.modifiers);
    ASSERT_EQ(c.expected.has_value(), got.has_value());
    if (got) expect_same(*c.expected, *got);
  }
}

}  // namespace
