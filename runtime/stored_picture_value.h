#pragma once
// The stored picture value around a bitmap file: its framing and the bitmap
// headers, checked before anything is decoded.

#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

struct BitmapInfo {
  int width = 0, height = 0;                 // height positive: rows stored bottom-up
  std::span<const std::uint8_t> palette;     // 4 bytes a colour: blue, green, red, unused
  std::span<const std::uint8_t> pixel_data;  // RLE8, from its offset to the end of the file
};

// Checks the value's framing and the bitmap's headers; a value that fails raises
// invalid_picture with "<holder>: <what is wrong>". Reads nothing outside `value`.
BitmapInfo check_stored_picture(std::span<const std::uint8_t> value, std::string_view holder);

}  // namespace rt
