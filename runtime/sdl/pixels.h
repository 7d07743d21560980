#pragma once
// Pixels in memory in a TrueColor layout: each of red, green and blue a run of
// bits of the pixel value, as SDL's surfaces and X's TrueColor visuals have them.

#include <cstddef>
#include <cstdint>

#include "runtime/picture.h"

namespace rt {

struct ChannelMasks {
  std::uint32_t red = 0, green = 0, blue = 0;
  std::uint32_t opaque = 0;                    // bits set in every pixel: an alpha channel's
  // The pixel value of a colour: each channel at the level nearest to its
  // intensity, so that full intensity stays full at any width.
  std::uint32_t value(Rgb colour) const;
};

// A rectangle of pixels to draw into, rows `pitch` bytes apart.
struct PixelTarget {
  std::uint8_t* pixels = nullptr;
  std::ptrdiff_t pitch = 0;
  int bytes_per_pixel = 0;  // 1 to 4
  int width = 0, height = 0;
  ChannelMasks masks;
};

// Sets `count` pixels from `to` onwards to `value`.
void fill_pixels(std::uint8_t* to, std::size_t count, int bytes_per_pixel, std::uint32_t value);

// Fills the part of the rectangle that lies on the target.
void fill_rect(const PixelTarget& target, int x, int y, int width, int height, Rgb colour);

}  // namespace rt
