#include "runtime/sdl/x_fixed_size.h"

#include <algorithm>

#include "runtime/sdl/x_handles.h"

namespace rt {
namespace {

constexpr long kRemoveState = 0;        // _NET_WM_STATE's action
constexpr long kFromAnApplication = 1;  // the request's source
constexpr long kMostStates = 64;

// The states of a larger window than the client area alone.
constexpr const char* kEnlarging[] = {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ",
                                      "_NET_WM_STATE_FULLSCREEN"};

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

// Asks the window manager to take up to two states off the window.
void remove_states(Display* display, Window window, Atom first, Atom second) {
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = atom(display, "_NET_WM_STATE");
  message.xclient.format = 32;
  message.xclient.data.l[0] = kRemoveState;
  message.xclient.data.l[1] = long(first);
  message.xclient.data.l[2] = long(second);
  message.xclient.data.l[3] = kFromAnApplication;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureNotifyMask | SubstructureRedirectMask, &message);
}

}  // namespace

FixedSize::FixedSize(SDL_Window* window, int width, int height) : window_(window), width_(width), height_(height) {
  SDL_GetWindowPosition(window_, &x_, &y_);
}

bool FixedSize::enlarged_state() const {
  const XHandles x = x_handles_of(window_);
  if (x.display == nullptr) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  bool enlarged = false;
  if (XGetWindowProperty(x.display, x.window, atom(x.display, "_NET_WM_STATE"), 0, kMostStates, False, XA_ATOM,
                         &type, &format, &count, &left, &data) == Success &&
      type == XA_ATOM && format == 32) {
    const auto* states = reinterpret_cast<const Atom*>(data);
    for (const char* name : kEnlarging) {
      enlarged = enlarged || std::find(states, states + count, atom(x.display, name)) != states + count;
    }
  }
  if (data != nullptr) XFree(data);
  return enlarged;
}

bool FixedSize::held() const {
  int width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  return width == width_ && height == height_;
}

void FixedSize::keep(unsigned long state_changes) {
  if (state_changes != state_changes_) enlarged_ = enlarged_state(), state_changes_ = state_changes;
  Seen now{.enlarged = enlarged_};
  SDL_GetWindowSize(window_, &now.width, &now.height);
  if (now == Seen{width_, height_, false}) {
    SDL_GetWindowPosition(window_, &x_, &y_);
    asked_back_from_ = now;
    return;
  }
  if (now == asked_back_from_) return;  // asked already; the window manager is at it
  asked_back_from_ = now;
  const XHandles x = x_handles_of(window_);
  if (x.display == nullptr) return;
  remove_states(x.display, x.window, atom(x.display, kEnlarging[0]), atom(x.display, kEnlarging[1]));
  remove_states(x.display, x.window, atom(x.display, kEnlarging[2]), None);
  XMoveResizeWindow(x.display, x.window, x_, y_, unsigned(width_), unsigned(height_));
  XFlush(x.display);
}

}  // namespace rt
