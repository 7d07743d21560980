#include "runtime/sdl/x_frame.h"

#include <chrono>
#include <thread>
#include <vector>

#include "runtime/sdl/x_errors.h"
#include "runtime/sdl/x_handles.h"

namespace rt {
namespace {

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

// Which point of the frame the window's position means (ICCCM's win_gravity),
// and the position itself, for window managers that read it from the hints.
void set_gravity(Display* display, Window window, int gravity, const Position& position) {
  XSizeHints hints{};
  long supplied = 0;
  XGetWMNormalHints(display, window, &hints, &supplied);
  hints.flags |= PWinGravity;
  hints.win_gravity = gravity;
  hints.x = position.x, hints.y = position.y;
  XSetWMNormalHints(display, window, &hints);
}

void move(Display* display, Window window, int gravity, const Position& position) {
  set_gravity(display, window, gravity, position);
  XMoveWindow(display, window, position.x, position.y);
  XFlush(display);
}

int x_gravity(Gravity gravity) {
  switch (gravity) {
    case Gravity::centre: return CenterGravity;
    case Gravity::north: return NorthGravity;
    case Gravity::west: return WestGravity;
    case Gravity::north_west: return NorthWestGravity;
  }
  return CenterGravity;
}

Position client_origin_on_screen(Display* display, Window window) {
  Position origin;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &origin.x, &origin.y, &child);
  return origin;
}

// The frame's extents from the window that holds the client: the child of the
// root above it, border included. No window manager: the client holds itself.
FrameExtents extents_of_holder(Display* display, Window window, const Position& client, int width, int height) {
  Window holder = window;
  for (;;) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, holder, &root, &parent, &children, &count)) return {};
    if (children != nullptr) XFree(children);
    if (parent == root || parent == 0) break;
    holder = parent;
  }
  Window root = 0;
  int x = 0, y = 0;
  unsigned holder_width = 0, holder_height = 0, border = 0, depth = 0;
  if (holder == window || !XGetGeometry(display, holder, &root, &x, &y, &holder_width, &holder_height, &border, &depth)) {
    return {};
  }
  const std::int64_t left = x, top = y;  // the holder is the root's child: these are on the screen
  const std::int64_t right = left + holder_width + 2 * std::int64_t(border);
  const std::int64_t bottom = top + holder_height + 2 * std::int64_t(border);
  return {.left = client.x - left, .right = right - (client.x + width), .top = client.y - top,
          .bottom = bottom - (client.y + height)};
}

}  // namespace

void ask_frame_extents(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return;
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = x.window;
  message.xclient.message_type = XInternAtom(x.display, "_NET_REQUEST_FRAME_EXTENTS", False);
  message.xclient.format = 32;
  // A window manager that does not know the request passes it by.
  XSendEvent(x.display, DefaultRootWindow(x.display), False, SubstructureNotifyMask | SubstructureRedirectMask,
             &message);
  XFlush(x.display);
}

std::optional<FrameExtents> told_frame_extents(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return std::nullopt;
  const auto values =
      property_items(x.display, x.window, XInternAtom(x.display, "_NET_FRAME_EXTENTS", False), XA_CARDINAL);
  if (!values || values->size() != 4) return std::nullopt;
  const FrameExtents extents{.left = (*values)[0], .right = (*values)[1], .top = (*values)[2], .bottom = (*values)[3]};
  if (!plausible(extents)) return std::nullopt;
  return extents;
}

void place_hidden_window(SDL_Window* window, const ScreenRect& screen, const std::optional<FrameExtents>& told) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return;
  int width = 0, height = 0;
  SDL_GetWindowSize(window, &width, &height);
  const HiddenPlacement placement = hidden_placement(screen, width, height, told);
  move(x.display, x.window, x_gravity(placement.gravity), placement.position);
}

void wait_until_framed(SDL_Window* window) {
  using namespace std::chrono_literals;
  constexpr auto kLongestWait = 100ms, kPollInterval = 1ms;
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return;
  for (const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
       std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(kPollInterval)) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(x.display, x.window, &attributes) || attributes.map_state == IsViewable) return;
  }
}

void centre_framed_window(SDL_Window* window, const ScreenRect& screen) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return;
  int width = 0, height = 0;
  SDL_GetWindowSize(window, &width, &height);
  // The window manager can take the frame away meanwhile: its errors are the probe's.
  const ExpectedXErrors probe(window);
  const Position client = client_origin_on_screen(x.display, x.window);
  const std::optional<FrameExtents> told = told_frame_extents(window);
  const FrameExtents frame = told ? *told : extents_of_holder(x.display, x.window, client, width, height);
  const Position centred = centred_client_origin(screen, width, height, frame);
  if (needs_move(screen, frame, client, centred)) {
    move(x.display, x.window, StaticGravity, centred);
  } else {
    set_gravity(x.display, x.window, StaticGravity, client);
  }
}

}  // namespace rt
