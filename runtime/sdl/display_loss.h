#pragma once
// What happens when the connection to the X display breaks under the program.
// Once Xlib has found the connection gone its calls fail, and SDL, which does not
// check them all, could crash or wait for good: where SDL finds it gone, the
// program ends at once. The desktop looks for itself between SDL's calls, and a
// loss it finds so ends the program through the runtime's own end.

struct SDL_Window;

namespace rt {

// What the runtime's desktop error says of a lost display.
inline constexpr const char* kDisplayLost = "the connection to the display was lost";

// From now on a broken connection ends the program at once, with the runtime's
// line for the desktop error and its failure status.
void end_program_on_display_loss();

// Whether the connection of the window's display is gone: a look at it now, and
// what an earlier look found.
bool display_lost(SDL_Window* window);

}  // namespace rt
