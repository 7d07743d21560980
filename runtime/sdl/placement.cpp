#include "runtime/sdl/placement.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace rt {
namespace {

// X carries positions as 16-bit signed numbers and sizes up to this.
constexpr std::int64_t kLargestXCoordinate = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kSmallestXCoordinate = std::numeric_limits<std::int16_t>::min();
// How far a frame may lie from its centred place, as window managers round.
constexpr std::int64_t kCloseEnough = 2;

bool plausible_side(std::int64_t side) { return side >= 0 && side <= kLargestXCoordinate; }

FrameExtents believed(const FrameExtents& extents) { return plausible(extents) ? extents : FrameExtents{}; }

// The start of a span of `size` centred in the screen's span, never before it.
std::int64_t centred_start(std::int64_t screen_start, std::int64_t screen_size, std::int64_t size) {
  return screen_start + std::max<std::int64_t>(0, (screen_size - size) / 2);
}

int x_coordinate(std::int64_t value) { return int(std::clamp(value, kSmallestXCoordinate, kLargestXCoordinate)); }

bool frame_fits(const ScreenRect& screen, int client_width, int client_height, const FrameExtents& frame) {
  return client_width + frame.left + frame.right <= screen.width &&
         client_height + frame.top + frame.bottom <= screen.height;
}

Gravity gravity_for_unknown_frame(const ScreenRect& screen, int client_width, int client_height) {
  const bool fits_across = screen.width > client_width, fits_down = screen.height > client_height;
  if (fits_across) return fits_down ? Gravity::centre : Gravity::north;
  return fits_down ? Gravity::west : Gravity::north_west;
}

}  // namespace

bool plausible(const FrameExtents& extents) {
  return plausible_side(extents.left) && plausible_side(extents.right) && plausible_side(extents.top) &&
         plausible_side(extents.bottom);
}

Position centred_client_origin(const ScreenRect& screen, int client_width, int client_height,
                               const FrameExtents& extents) {
  const FrameExtents frame = believed(extents);
  const std::int64_t frame_width = std::int64_t(client_width) + frame.left + frame.right;
  const std::int64_t frame_height = std::int64_t(client_height) + frame.top + frame.bottom;
  return {.x = x_coordinate(centred_start(screen.x, screen.width, frame_width) + frame.left),
          .y = x_coordinate(centred_start(screen.y, screen.height, frame_height) + frame.top)};
}

HiddenPlacement hidden_placement(const ScreenRect& screen, int client_width, int client_height,
                                 const std::optional<FrameExtents>& told) {
  if (told && plausible(*told) && frame_fits(screen, client_width, client_height, *told)) {
    const Position client = centred_client_origin(screen, client_width, client_height, *told);
    return {.gravity = Gravity::north_west,
            .position = {.x = x_coordinate(client.x - told->left), .y = x_coordinate(client.y - told->top)}};
  }
  return {.gravity = gravity_for_unknown_frame(screen, client_width, client_height),
          .position = centred_client_origin(screen, client_width, client_height, {})};
}

bool needs_move(const ScreenRect& screen, const FrameExtents& extents, const Position& now,
                const Position& centred) {
  const FrameExtents frame = believed(extents);
  const bool far = std::abs(std::int64_t(now.x) - centred.x) > kCloseEnough ||
                   std::abs(std::int64_t(now.y) - centred.y) > kCloseEnough;
  const bool off_screen = now.x - frame.left < screen.x || now.y - frame.top < screen.y;
  return far || off_screen;
}

}  // namespace rt
