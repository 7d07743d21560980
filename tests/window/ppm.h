#pragma once
// RGB images as screenshots give them, read from binary PPM (P6).

#include <cstdint>
#include <string_view>
#include <vector>

namespace xtest {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct RgbImage {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // rows from the top
  Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Parses a P6 image with a maximum value of 255; throws std::runtime_error on
// anything else or on a short pixel block.
RgbImage parse_ppm(std::string_view data);

}  // namespace xtest
