#include "runtime/sdl/display_loss.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/errors.h"
#include "runtime/sdl/x_handles.h"

namespace rt {
namespace {

pid_t program = 0;
Display* looked_at = nullptr;  // while the desktop looks at its connection
bool lost = false;

[[noreturn]] void end_now() {
  const std::string line = "zemk: " + unhandled_error_text(ErrorNumber::desktop, kDisplayLost) + "\n";
  std::fputs(line.c_str(), stderr);
  std::_Exit(kFailureStatus);
}

// Xlib calls this first when a connection breaks; if it returns, Xlib calls the
// connection's exit handler.
int on_connection_broken(Display* display) {
  // The error box's process, which SDL forks for it: the program says what is to be said.
  if (getpid() != program) std::_Exit(kFailureStatus);
  if (display != looked_at) end_now();
  lost = true;
  return 0;
}

// Returning, it leaves Xlib's calls on the connection failing from now on.
void go_on(Display*, void*) {}

}  // namespace

void end_program_on_display_loss() {
  program = getpid();
  XSetIOErrorHandler(on_connection_broken);
}

bool display_lost(SDL_Window* window) {
  if (lost) return true;
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return false;
  XSetIOErrorExitHandler(x.display, go_on, nullptr);
  looked_at = x.display;
  XEventsQueued(x.display, QueuedAfterReading);  // reads what the server sent, an end included
  looked_at = nullptr;
  return lost;
}

}  // namespace rt
