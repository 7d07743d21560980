#pragma once
// The X side of the SDL window: its visual, its background, its title bar and
// its icon's name.

#include <string>
#include <string_view>

#include "runtime/sdl/pixels.h"
#include "runtime/sdl/title_bar.h"

struct SDL_Window;

namespace rt {

struct WindowVisual {
  int depth = 0;
  bool true_colour = false;
  std::string class_name;  // as X names it: TrueColor, PseudoColor, ...
  ChannelMasks masks;      // of a TrueColor visual
};

WindowVisual visual_of(SDL_Window* window);

// A TrueColor visual of the window's screen, 0 if it has none: the deepest of at
// most 30 bits (deeper ones have an alpha channel that a compositor would honour).
unsigned long true_colour_visual(SDL_Window* window);

// What X shows in the window wherever the program has not drawn yet: a pixel
// value of the window's visual.
void set_background(SDL_Window* window, std::uint32_t pixel);

// Tells the window manager what the title bar offers; read when the window is mapped.
void set_title_bar(SDL_Window* window, const MotifHints& hints);

// The name task bars and icons show for the window (SDL sets none, and some
// then show the program's class): its caption.
void set_icon_name(SDL_Window* window, std::string_view caption);

}  // namespace rt
