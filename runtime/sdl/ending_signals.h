#pragma once
// The signals that ask the program to end. SIGTERM and SIGINT end it as a close
// from the window manager does, and while the error box is up at once, with the
// failure status: the box waits for the user, and a signal must not wait with
// it. SIGPIPE is ignored: a connection that breaks as it is written to ends the
// program through the lost display's path, with its line.

namespace rt {

// In place of SDL's handlers, which only queue a quit event.
void take_ending_signals();

// Whether SIGTERM or SIGINT has come.
bool end_requested();

// While it lives, the error box is up: SIGTERM and SIGINT end the program at once,
// and the box's own process, which SDL forks for it, ends with the program.
class ErrorBoxUp {
 public:
  ErrorBoxUp();
  ~ErrorBoxUp();
  ErrorBoxUp(const ErrorBoxUp&) = delete;
  ErrorBoxUp& operator=(const ErrorBoxUp&) = delete;
};

}  // namespace rt
