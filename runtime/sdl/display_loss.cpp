#include "runtime/sdl/display_loss.h"

// Xlib defines macros (Status, Bool) that clash with the runtime's names, so it
// stays in this file alone.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace rt {
namespace {

constexpr int kDisplayLostStatus = 1;

// Xlib calls this when the connection breaks and exits if it returns.
int on_display_lost(Display*) {
  std::fputs("zemk: the connection to the display was lost\n", stderr);
  std::_Exit(kDisplayLostStatus);
}

}  // namespace

void end_program_on_display_loss() { XSetIOErrorHandler(on_display_lost); }

}  // namespace rt
