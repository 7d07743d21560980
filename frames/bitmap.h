#pragma once
// Bitmap files and the picture values that wrap them.
//
// Bitmap file, all numbers little-endian:
//   offset  size  field
//        0     2  "BM"
//        2     4  file size
//        6     4  two reserved halves, 0
//       10     4  offset of the pixel data: 14 + 40 + 1024 = 1078
//       14     4  information header size, 40
//       18     4  width (signed)
//       22     4  height (signed; positive, so rows run bottom-up)
//       26     2  planes, 1
//       28     2  bits per pixel, 8
//       30     4  compression, 1 = RLE8
//       34     4  pixel data size: file size - 1078
//       38     8  horizontal and vertical resolution, 0
//       46     4  colours used, 256
//       50     4  important colours, 0
//       54  1024  palette: 256 x (blue, green, red, 0)
//     1078     -  RLE8 pixel data, to the end of the file
//
// Picture value: size (4, = length + 8), tag "lt\0\0", length (4), then the bitmap file.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace frames {

inline constexpr std::size_t kPixelDataOffset = 1078;
inline constexpr std::size_t kPictureHeaderSize = 12;

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
};

// The 3-3-2 colour cube: entry i has red level i/32, green (i/4)%8, blue i%4.
const std::array<Rgb, 256>& palette();

std::vector<std::uint8_t> bitmap_file(int width, int height,
                                      std::span<const std::uint8_t> rle8_data);

std::vector<std::uint8_t> picture_value(std::span<const std::uint8_t> bitmap);

}  // namespace frames
