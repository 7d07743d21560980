#pragma once
// The window manager's frame around the window, and the window placed so that
// the whole frame is centred on the screen. Nothing here waits for an answer the
// window manager may never give; only, a short while at most, for it to show
// the frame it has put the mapped window in.

#include <optional>

#include "runtime/sdl/placement.h"

struct SDL_Window;

namespace rt {

// Asks the window manager for the frame it will put around the window
// (_NET_REQUEST_FRAME_EXTENTS). Some answer before the window is shown, some
// only once they frame it, some never.
void ask_frame_extents(SDL_Window* window);

// The frame's extents as the window manager has told them (_NET_FRAME_EXTENTS),
// if it has, and plausibly.
std::optional<FrameExtents> told_frame_extents(SDL_Window* window);

// Places the hidden window as hidden_placement says, with the frame told in
// advance if it was.
void place_hidden_window(SDL_Window* window, const ScreenRect& screen, const std::optional<FrameExtents>& told);

// Waits, a short while at most, until the frame is shown as well: SDL returns once
// the window itself is mapped, and what is drawn before the frame shows is lost
// until the expose that shows it, which the program reads only at its next pump.
void wait_until_framed(SDL_Window* window);

// Once the window is shown, and so framed: the frame as it is (told, or the
// window the window manager put the client in), and a move to where the centred
// frame puts the client area, if it is not there. From now on the positions the
// program asks for are the client area's (static gravity).
void centre_framed_window(SDL_Window* window, const ScreenRect& screen);

}  // namespace rt
