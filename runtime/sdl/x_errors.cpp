#include "runtime/sdl/x_errors.h"

#include "runtime/sdl/x_handles.h"

namespace rt {
namespace {

struct Kept {
  Display* display;
  unsigned char code;
  XID resource;
};

std::optional<Kept> first_error;
// The first request whose errors a probe expects; none while no probe runs.
std::optional<unsigned long> expected_from;

// Xlib calls this as it reads an error; it must make no request itself.
int keep(Display* display, XErrorEvent* error) {
  const bool expected = expected_from && error->serial >= *expected_from;
  if (!expected && !first_error) first_error = Kept{display, error->error_code, error->resourceid};
  return 0;
}

}  // namespace

void keep_x_errors() { XSetErrorHandler(keep); }

std::optional<KeptXError> first_kept_x_error(SDL_Window* window) {
  if (!first_error) return std::nullopt;
  const XHandles x = x_handles_of(window);
  char name[256] = {};
  XGetErrorText(first_error->display, first_error->code, name, sizeof name);
  const bool names_the_window = x.window != 0 && first_error->resource == x.window;
  return KeptXError{
      .window_gone = names_the_window && (first_error->code == BadWindow || first_error->code == BadDrawable),
      .name = name};
}

ExpectedXErrors::ExpectedXErrors(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  if (x.display != nullptr) expected_from = NextRequest(x.display);
}

// A probe asks for replies, so its errors have all come in by now.
ExpectedXErrors::~ExpectedXErrors() { expected_from.reset(); }

}  // namespace rt
