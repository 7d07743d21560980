#pragma once
// What happens when the X server goes away under the program.

namespace rt {

// From now on a broken connection to the X display ends the program at once with
// a message on stderr and a non-zero status: no call can reach the display any
// more, so nothing else could be done.
void end_program_on_display_loss();

}  // namespace rt
