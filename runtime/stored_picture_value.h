#pragma once
// The stored picture value around a bitmap file: its framing and the bitmap
// headers, checked before anything is decoded.

#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

struct BitmapInfo {
  std::span<const std::uint8_t> file;  // the whole bitmap file
  int width = 0, height = 0;           // height positive: rows stored bottom-up
};

// Checks the value's framing and the bitmap's headers; a value that fails raises
// invalid_picture with "<holder>: <what is wrong>". Reads nothing outside `value`.
BitmapInfo check_stored_picture(std::span<const std::uint8_t> value, std::string_view holder);

}  // namespace rt
