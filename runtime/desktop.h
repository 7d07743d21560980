#pragma once
// The seam between the runtime and a desktop: the SDL desktop shows a real window,
// the scripted desktop feeds chosen events to tests and records what is shown.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/layout.h"

namespace rt {

class Picture;

enum class NamedKey { escape, enter, backspace, tab, other };
enum class MouseButton { left, middle, right, other };

// One event as a desktop delivers it, in the window's client-area pixels.
struct DesktopEvent {
  enum class Kind { text, key, button_down, button_up, motion, expose, close };
  Kind kind = Kind::expose;
  std::string text{};                  // text: the characters typed, UTF-8
  NamedKey key = NamedKey::other;      // key: a key that types no text
  MouseButton button = MouseButton::left;  // button_down, button_up
  int clicks = 1;                      // button_down: 2 for the second press of a double-click
  int x = 0, y = 0;                    // mouse events: client-area pixel
  int buttons = 0;                     // motion: buttons held (1 left, 2 right, 4 middle)
  int shift = 0;                       // motion: modifiers held (1 shift, 2 ctrl, 4 alt)

  static DesktopEvent typed(std::string text) { return {.kind = Kind::text, .text = std::move(text)}; }
  static DesktopEvent pressed(NamedKey key) { return {.kind = Kind::key, .key = key}; }
  static DesktopEvent down(int x, int y, int clicks = 1, MouseButton b = MouseButton::left) {
    return {.kind = Kind::button_down, .button = b, .clicks = clicks, .x = x, .y = y};
  }
  static DesktopEvent up(int x, int y, MouseButton b = MouseButton::left) {
    return {.kind = Kind::button_up, .button = b, .x = x, .y = y};
  }
  static DesktopEvent moved(int x, int y, int buttons = 0, int shift = 0) {
    return {.kind = Kind::motion, .x = x, .y = y, .buttons = buttons, .shift = shift};
  }
  static DesktopEvent closed() { return {.kind = Kind::close}; }
};

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// What the picture area looks like, in pixels, for the desktop that draws it.
struct PictureAreaGeometry {
  int left = 0, top = 0, width = 0, height = 0;  // outer, in the client area
  int border = 0;                                // sunken border width
  // The part inside the border: where pictures show and the pointer has its scale.
  PixelRect inner() const { return {left + border, top + border, width - 2 * border, height - 2 * border}; }
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Opens the window: caption, client size, fixed border, centred. Raises desktop on failure.
  virtual void open(const WindowLayout& layout, const PictureAreaGeometry& area) = 0;
  // Appends every event now pending; never waits.
  virtual void poll(std::vector<DesktopEvent>& events) = 0;
  // Repaints the picture area: its border, background and the picture (none: background only).
  // False if it did not reach the screen, though a window that a window manager resized counts
  // as reached: the SDL desktop puts it back and repaints it then. Raises desktop where the
  // window or the display has gone; on X that can come to light only at the next poll.
  virtual bool present(const Picture* picture) = 0;
  // The window's quit method; false if the desktop refused, and desktop raised where the window
  // or the display has gone. (The SDL desktop refuses only when it has no window.)
  virtual bool hide() = 0;
  // Tells the user of an unhandled error, in a message box where the desktop can.
  virtual void report_error(std::string_view message) = 0;
  // Told of each counted loop that the program ran, so that a scripted desktop can
  // record it; a real desktop has nothing to do.
  virtual void counted(double end, std::int64_t steps) { (void)end, (void)steps; }
};

}  // namespace rt
