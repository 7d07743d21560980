#pragma once
// Drawing a picture into pixels straight from its run-length data: each run
// becomes one fill of its colour in the target's own pixel layout.

#include "runtime/sdl/pixels.h"

struct SDL_Surface;

namespace rt {

class Picture;

// Draws the top-left `width` x `height` pixels of `picture` (clipped to the
// picture and to the target) with their top-left corner at (`x`, `y`).
void blit_picture(const Picture& picture, const PixelTarget& target, int x, int y, int width, int height);

// An SDL surface of a TrueColor format as a target. Window surfaces and plain
// software surfaces need no lock, and no other kind comes here.
PixelTarget pixels_of(SDL_Surface* surface);

}  // namespace rt
