#pragma once
// Drawing a picture into an SDL surface straight from its run-length data: each
// run becomes one fill of its colour in the surface's own pixel format.

struct SDL_Surface;

namespace rt {

class Picture;

// Draws the top-left `width` x `height` pixels of `picture` (clipped to the
// picture and to the surface) with their top-left corner at (`x`, `y`).
void blit_picture(const Picture& picture, SDL_Surface* target, int x, int y, int width, int height);

}  // namespace rt
