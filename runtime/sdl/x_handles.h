#pragma once
// The X display and window under an SDL window. This brings in Xlib, whose macros
// clash with the runtime's names: only the X files of this folder include it.

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace rt {

struct XHandles {
  Display* display = nullptr;  // null: the window is not on X
  Window window = 0;
};

inline XHandles x_handles_of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return {};
  return {info.info.x11.display, info.info.x11.window};
}

}  // namespace rt
