#pragma once
// The X events under SDL's that the desktop reads for itself: SDL hands each one
// on (SDL_SYSWMEVENT) before it makes its own events of it.

#include "runtime/sdl/click_counter.h"

struct SDL_Window;
struct SDL_SysWMmsg;

namespace rt {

class XWindowEvents {
 public:
  explicit XWindowEvents(SDL_Window* window);

  void read(const SDL_SysWMmsg& message);

  // Whether another program destroyed the window: SDL does not say.
  bool window_destroyed() const { return destroyed_; }
  // How often the window manager has changed the window's state (_NET_WM_STATE).
  unsigned long state_changes() const { return state_changes_; }
  // The click count of the latest button press in the window, from the press's
  // own time and place; SDL's counts presses by when it reads them.
  int clicks_of_last_press() const { return clicks_of_last_press_; }

 private:
  unsigned long window_ = 0;  // its X id
  unsigned long state_ = 0;   // the atom _NET_WM_STATE
  bool destroyed_ = false;
  unsigned long state_changes_ = 0;
  ClickCounter clicks_;
  int clicks_of_last_press_ = 1;
};

}  // namespace rt
