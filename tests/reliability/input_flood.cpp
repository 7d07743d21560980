#include "tests/reliability/input_flood.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <memory>
#include <stdexcept>
#include <string_view>

namespace reliability {
namespace {

// One pass of the pattern is 20 events: 'm' a movement, 'k' a key press, 'A' and
// 'B' a movement to that click spot and a click there (two events each). Per pass
// 12 movements, 6 key presses and 2 clicks.
constexpr std::string_view kPattern = "mmkmmkmkAmmkmmkmkB";
constexpr int kEventsPerPattern = 20;
constexpr unsigned kLeftButton = 1;

struct CloseDisplay {
  void operator()(Display* d) const { XCloseDisplay(d); }
};

void press_and_release(Display* d, unsigned keycode) {
  XTestFakeKeyEvent(d, keycode, True, CurrentTime);
  XTestFakeKeyEvent(d, keycode, False, CurrentTime);
}

}  // namespace

const std::vector<FloodKey>& flood_keys() {
  static const std::vector<FloodKey> keys = [] {
    const std::vector<std::string> answered{"v",      "V",        "b",          "B",           "n",
                                            "N",      "space",    "minus",      "plus",        "comma",
                                            "slash",  "asterisk", "period",     "KP_Add",      "KP_Subtract",
                                            "KP_Multiply", "KP_Divide", "KP_Decimal"};
    const std::vector<std::string> ignored{"a",        "z",         "q",   "0",    "5",     "9",  "equal",
                                           "Return",   "KP_Enter",  "BackSpace", "Tab", "F1", "F5", "F12",
                                           "Left",     "Right",     "Up",  "Down", "Home",  "Insert", "Delete"};
    std::vector<FloodKey> all;
    for (const auto* list : {&answered, &ignored}) {
      for (const std::string& keysym : *list) {
        all.push_back({keysym, false});
        all.push_back({keysym, true});
      }
    }
    return all;
  }();
  return keys;
}

void send_flood(const std::string& display, const xtest::WindowGeometry& client, int events) {
  const std::unique_ptr<Display, CloseDisplay> d(XOpenDisplay(display.c_str()));
  if (!d) throw std::runtime_error("cannot open display " + display);
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(d.get(), &event_base, &error_base, &major, &minor)) {
    throw std::runtime_error("display " + display + " has no test extension");
  }
  const unsigned shift = XKeysymToKeycode(d.get(), XK_Shift_L);
  const auto move = [&](int x, int y) {
    XTestFakeMotionEvent(d.get(), DefaultScreen(d.get()), client.x + x, client.y + y, CurrentTime);
  };
  const auto click_at = [&](const int* spot) {
    move(spot[0], spot[1]);
    XTestFakeButtonEvent(d.get(), kLeftButton, True, CurrentTime);
    XTestFakeButtonEvent(d.get(), kLeftButton, False, CurrentTime);
  };
  // A keysym that needs Shift on its key (a capital, "+" on the main keys) is sent
  // with Shift, as a keyboard types it.
  const auto type = [&](const FloodKey& key) {
    const KeySym sym = XStringToKeysym(key.keysym.c_str());
    const unsigned code = XKeysymToKeycode(d.get(), sym);
    if (code == 0) throw std::runtime_error("no key for " + key.keysym);
    const bool needs_shift = XkbKeycodeToKeysym(d.get(), code, 0, 0) != sym;
    if (key.shift || needs_shift) XTestFakeKeyEvent(d.get(), shift, True, CurrentTime);
    press_and_release(d.get(), code);
    if (key.shift || needs_shift) XTestFakeKeyEvent(d.get(), shift, False, CurrentTime);
  };

  const auto& keys = flood_keys();
  std::size_t next_key = 0;
  int moves = 0;
  // Whole patterns only, so that the clicks come in pairs.
  for (int event = 0; event + kEventsPerPattern <= events; event += kEventsPerPattern) {
    for (const char step : kPattern) {
      switch (step) {
        case 'm':
          // Spread over the whole client area, the border included.
          ++moves;
          move((moves * 37) % client.width, (moves * 53) % client.height);
          break;
        case 'k': type(keys[next_key++ % keys.size()]); break;
        case 'A': click_at(kClickSpotA); break;
        case 'B': click_at(kClickSpotB); break;
      }
    }
  }
  XSync(d.get(), False);
}

}  // namespace reliability
