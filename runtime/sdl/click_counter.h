#pragma once
// Which button presses make a double-click: presses of one button close to each
// other in the X server's own time of each press and in place. Presses that only
// wait in the queue together, while the program is busy or stopped, are not
// thereby close.

#include <cstdint>
#include <optional>

namespace rt {

struct ButtonPress {
  unsigned button = 0;
  std::uint32_t time = 0;  // the server's, in milliseconds; it wraps round
  int x = 0, y = 0;        // in the window
};

class ClickCounter {
 public:
  // 1 for a press on its own; one more than the previous press's count for a
  // press of the same button within the double-click time and distance of it.
  int count(const ButtonPress& press);

 private:
  std::optional<ButtonPress> previous_;
  int count_ = 0;
};

}  // namespace rt
