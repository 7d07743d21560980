#pragma once
// Where the window goes on the screen: its whole frame centred, and on a screen
// too small for it the frame's top-left kept on the screen, so that the title bar
// can be reached. The extents come from another program, the window manager, and
// are taken as they come: the arithmetic cannot overflow whatever they are.

#include <cstdint>
#include <optional>

namespace rt {

// The width of each side of the window manager's frame around the client area.
struct FrameExtents {
  std::int64_t left = 0, right = 0, top = 0, bottom = 0;
};

struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// A window's position on the screen, in X's 16-bit coordinates.
struct Position {
  int x = 0, y = 0;
  bool operator==(const Position&) const = default;
};

// Extents a frame can have: none negative, none wider than an X window can be.
bool plausible(const FrameExtents& extents);

// Where the client area's top-left goes for its frame to lie centred on
// `screen`. Extents that are not plausible count as no frame.
Position centred_client_origin(const ScreenRect& screen, int client_width, int client_height,
                               const FrameExtents& extents);

// Which point of the frame a window's requested position stands for (ICCCM's
// window gravity).
enum class Gravity { centre, north, west, north_west };

struct HiddenPlacement {
  Gravity gravity = Gravity::centre;
  Position position;  // of that point, as if the client area were the whole frame
};

// How to ask for the hidden window's place. With a frame told in advance that
// fits the screen, its own top-left (north-west: every window manager reads it
// alike). Else the client area at its centred origin under a gravity that makes a
// window manager that follows ICCCM centre the frame on it, whatever the frame:
// its centre; on a screen too small for the client, its edge on the side that
// does not fit, the top or the left.
HiddenPlacement hidden_placement(const ScreenRect& screen, int client_width, int client_height,
                                 const std::optional<FrameExtents>& told);

// Whether a client area at `now`, in a frame of `extents`, must move to `centred`:
// its frame is more than a pixel or two from there, or its top-left off the screen.
// Smaller differences are left: some window managers, asked to move a frame that
// is taller than the screen, keep the client's top on the screen and the title bar
// above it.
bool needs_move(const ScreenRect& screen, const FrameExtents& extents, const Position& now,
                const Position& centred);

}  // namespace rt
