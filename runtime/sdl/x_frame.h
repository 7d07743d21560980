#pragma once
// The window manager's frame around the window: its extents, learnt before the
// window is shown, and the window placed so that the whole frame is centred.

#include <optional>

struct SDL_Window;

namespace rt {

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// The frame the window manager will put around the window, asked for while the
// window is still hidden (_NET_REQUEST_FRAME_EXTENTS). None where no window
// manager answers that request.
std::optional<FrameExtents> frame_extents_in_advance(SDL_Window* window);

// Moves the hidden window so that, once the window manager frames it, the
// frame's top-left corner lies at (x, y) on the screen.
void place_frame(SDL_Window* window, int x, int y, const FrameExtents& extents);

}  // namespace rt
