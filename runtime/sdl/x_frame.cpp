#include "runtime/sdl/x_frame.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "runtime/sdl/x_handles.h"

namespace rt {
namespace {

using namespace std::chrono_literals;

// How long a window manager gets to answer: it is a round trip or two.
constexpr auto kAnswerTime = 200ms;
constexpr auto kPollInterval = 1ms;

// The 32-bit items of a window's property, or none.
std::optional<std::vector<long>> property_items(Display* display, Window window, Atom property, Atom type) {
  Atom actual_type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual_type, &format, &count, &left,
                         &data) != Success ||
      actual_type != type || format != 32) {
    if (data != nullptr) XFree(data);
    return std::nullopt;
  }
  const auto* items = reinterpret_cast<const long*>(data);  // Xlib hands 32-bit items as longs
  std::vector<long> values(items, items + count);
  XFree(data);
  return values;
}

bool window_manager_supports(Display* display, Atom supported_atom, Atom feature) {
  const auto supported = property_items(display, DefaultRootWindow(display), supported_atom, XA_ATOM);
  return supported && std::find(supported->begin(), supported->end(), long(feature)) != supported->end();
}

}  // namespace

std::optional<FrameExtents> frame_extents_in_advance(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return std::nullopt;
  char* names[] = {const_cast<char*>("_NET_SUPPORTED"), const_cast<char*>("_NET_REQUEST_FRAME_EXTENTS"),
                   const_cast<char*>("_NET_FRAME_EXTENTS")};
  Atom atoms[3] = {};
  XInternAtoms(x.display, names, 3, False, atoms);  // one round trip for all three
  const Atom supported = atoms[0], request = atoms[1], extents = atoms[2];
  if (!window_manager_supports(x.display, supported, request)) return std::nullopt;

  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = x.window;
  message.xclient.message_type = request;
  message.xclient.format = 32;
  XSendEvent(x.display, DefaultRootWindow(x.display), False, SubstructureNotifyMask | SubstructureRedirectMask,
             &message);
  XFlush(x.display);
  // Polled, not waited for as an event: SDL reads the event queue.
  const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
  do {
    if (const auto values = property_items(x.display, x.window, extents, XA_CARDINAL); values && values->size() == 4) {
      return FrameExtents{.left = int((*values)[0]), .right = int((*values)[1]), .top = int((*values)[2]),
                          .bottom = int((*values)[3])};
    }
    std::this_thread::sleep_for(kPollInterval);
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

void place_frame(SDL_Window* window, int x, int y, const FrameExtents& extents) {
  const XHandles handles = x_handles_of(window);
  if (handles.display == nullptr) return;
  // Under the usual north-west gravity the window manager puts the frame's
  // corner where the window asks to be; under static gravity, the client's.
  XSizeHints hints{};
  long supplied = 0;
  const bool static_gravity = XGetWMNormalHints(handles.display, handles.window, &hints, &supplied) &&
                              (hints.flags & PWinGravity) && hints.win_gravity == StaticGravity;
  if (static_gravity) x += extents.left, y += extents.top;
  XMoveWindow(handles.display, handles.window, x, y);
  XFlush(handles.display);
}

}  // namespace rt
