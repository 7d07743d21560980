#pragma once
// X's protocol errors, kept for the desktop to report in the runtime's own form.
// Xlib's default would print its own report of several lines and exit.

#include <optional>
#include <string>

struct SDL_Window;

namespace rt {

// From now on an X error is kept, not printed, and the program goes on to where
// the desktop looks for it.
void keep_x_errors();

struct KeptXError {
  bool window_gone = false;  // it names the window as one that no longer exists
  std::string name;          // as X names the error
};

// The first error kept, if any.
std::optional<KeptXError> first_kept_x_error(SDL_Window* window);

// While it lives, errors of the requests made on the window's display are a
// probe's own, expected: they are dropped.
class ExpectedXErrors {
 public:
  explicit ExpectedXErrors(SDL_Window* window);
  ~ExpectedXErrors();
  ExpectedXErrors(const ExpectedXErrors&) = delete;
  ExpectedXErrors& operator=(const ExpectedXErrors&) = delete;
};

}  // namespace rt
