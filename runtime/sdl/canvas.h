#pragma once
// Where the SDL desktop draws its window: the pixels of the whole client area,
// and the way they reach the screen.

#include <memory>

#include "runtime/sdl/pixels.h"

struct SDL_Window;

namespace rt {

class WindowCanvas {
 public:
  virtual ~WindowCanvas() = default;
  // The client area's pixels, or none if the window cannot be drawn on now.
  virtual PixelTarget* pixels() = 0;
  // Puts the pixels drawn since the last show on the screen; false if it could not.
  virtual bool show() = 0;
  // How its pixels hold a colour: the channel masks of the window's TrueColor visual.
  virtual ChannelMasks masks() const = 0;
};

// SDL's window surface, shown through shared memory; null if SDL has none for
// the window's pixel format.
std::unique_ptr<WindowCanvas> sdl_surface_canvas(SDL_Window* window);

// An X image of the window's own TrueColor visual, for the formats SDL does not
// know (10 bits a channel, 3-3-2); null if the visual is not TrueColor or its
// pixels are not whole bytes.
std::unique_ptr<WindowCanvas> x_image_canvas(SDL_Window* window);

}  // namespace rt
