#pragma once
// Bitmap files and the picture values that wrap them, written in the format that
// runtime/stored_picture_format.h lays out: 8 bits a pixel, RLE8, and the full
// 256-colour palette, so the pixel data starts at byte 1078.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/rgb.h"

namespace frames {

// The 3-3-2 colour cube: entry i has red level i/32, green (i/4)%8, blue i%4.
const std::array<rt::Rgb, 256>& palette();

std::vector<std::uint8_t> bitmap_file(int width, int height, std::span<const std::uint8_t> rle8_data);

std::vector<std::uint8_t> picture_value(std::span<const std::uint8_t> bitmap);

}  // namespace frames
