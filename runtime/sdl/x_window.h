#pragma once
// The X side of the SDL window: its visual and its background. Xlib stays in the
// .cpp files of this folder, since its macros clash with the runtime's names.

#include <string>

#include "runtime/sdl/pixels.h"

struct SDL_Window;

namespace rt {

struct WindowVisual {
  int depth = 0;
  bool true_colour = false;
  std::string class_name;  // as X names it: TrueColor, PseudoColor, ...
  PixelLayout layout;      // the channel masks of a TrueColor visual
};

WindowVisual visual_of(SDL_Window* window);

// A TrueColor visual of the window's screen, 0 if it has none: the deepest of at
// most 30 bits (deeper ones have an alpha channel that a compositor would honour).
unsigned long true_colour_visual(SDL_Window* window);

// What X shows in the window wherever the program has not drawn yet: a pixel
// value of the window's visual.
void set_background(SDL_Window* window, std::uint32_t pixel);

}  // namespace rt
