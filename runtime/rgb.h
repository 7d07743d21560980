#pragma once
// A colour as pictures and palettes hold it: 8 bits each of red, green and blue.

#include <cstdint>

namespace rt {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

}  // namespace rt
