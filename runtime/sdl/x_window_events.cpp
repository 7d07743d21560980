#include "runtime/sdl/x_window_events.h"

#include "runtime/sdl/x_handles.h"

namespace rt {

XWindowEvents::XWindowEvents(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  window_ = x.window;
  if (x.display != nullptr) state_ = XInternAtom(x.display, "_NET_WM_STATE", False);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void XWindowEvents::read(const SDL_SysWMmsg& message) {
  if (message.subsystem != SDL_SYSWM_X11) return;
  const XEvent& event = message.msg.x11.event;
  if (event.type == DestroyNotify && event.xdestroywindow.window == window_) destroyed_ = true;
  if (event.type == PropertyNotify && event.xproperty.window == window_ && event.xproperty.atom == state_) {
    ++state_changes_;
  }
  if (event.type == ButtonPress && event.xbutton.window == window_) {
    const XButtonEvent& press = event.xbutton;
    clicks_of_last_press_ = clicks_.count({.button = press.button,
                                           .time = std::uint32_t(press.time),
                                           .x = press.x,
                                           .y = press.y});
  }
}

}  // namespace rt
