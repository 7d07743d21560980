#include "runtime/sdl/click_counter.h"

#include <cstdlib>

namespace rt {
namespace {

// The double-click time and distance as SDL counts them for the desktop.
constexpr std::uint32_t kDoubleClickMilliseconds = 500;
constexpr int kDoubleClickDistance = 32;  // pixels, across and down

bool close_to(const ButtonPress& earlier, const ButtonPress& later) {
  const std::uint32_t elapsed = later.time - earlier.time;  // modulo 2^32, as the server's clock wraps
  return later.button == earlier.button && elapsed < kDoubleClickMilliseconds &&
         std::abs(later.x - earlier.x) <= kDoubleClickDistance && std::abs(later.y - earlier.y) <= kDoubleClickDistance;
}

}  // namespace

int ClickCounter::count(const ButtonPress& press) {
  count_ = previous_ && close_to(*previous_, press) ? count_ + 1 : 1;
  previous_ = press;
  return count_;
}

}  // namespace rt
