#pragma once
// Running a program in a real window on the user's display.

#include "runtime/runtime.h"

namespace rt {

// Opens the display and runs the program there; returns its exit status. No display,
// or one that goes away, ends it with a message on stderr and a non-zero status.
int run_on_screen(const ProjectRecord& project);

}  // namespace rt
