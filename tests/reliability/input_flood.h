#pragma once
// A flood of input for the program's window, sent straight to the X server
// through its test extension: pointer movements over the client area, left
// clicks and key presses, as fast as the server takes them.

#include <string>
#include <vector>

#include "tests/window/x_session.h"

namespace reliability {

// The keys of a flood, as X names their keysyms, each with or without Shift: every
// key the program answers (on the main keys and the keypad) and a spread of keys
// it ignores. Escape is left out: it ends the program.
struct FloodKey {
  std::string keysym;
  bool shift = false;
};
const std::vector<FloodKey>& flood_keys();

// Two click spots more than a double-click's radius (32 pixels) apart, relative
// to the client area; the clicks of a flood alternate between them, so that no
// two clicks in a row can make a double-click.
inline constexpr int kClickSpotA[2] = {150, 150}, kClickSpotB[2] = {420, 420};

// Sends `events` input events (movements, key presses and clicks) over the client
// area at `client` on `display`, and waits until the server has taken them all.
// The number of clicks is even, so a flood leaves the mouse mode as it found it.
// Throws std::runtime_error if the display or its test extension is missing.
void send_flood(const std::string& display, const xtest::WindowGeometry& client, int events);

}  // namespace reliability
