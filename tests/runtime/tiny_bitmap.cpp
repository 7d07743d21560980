#include "tests/runtime/tiny_bitmap.h"

#include <algorithm>

namespace rt_test {

void put_u32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put_u16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<std::uint8_t>(v);
  bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::vector<std::uint8_t> tiny_bitmap() {
  constexpr std::size_t kPixelOffset = 54 + 256 * 4;
  // Bottom row first: a run of four 5s, end of row; then the top row: a run of two
  // 1s, single runs of 2 and 3, end of bitmap.
  const std::vector<std::uint8_t> stream = {4, 5, 0, 0, 2, 1, 1, 2, 1, 3, 0, 1};
  std::vector<std::uint8_t> file(kPixelOffset + stream.size(), 0);
  std::copy(stream.begin(), stream.end(), file.begin() + kPixelOffset);
  file[0] = 'B', file[1] = 'M';
  put_u32(file, 2, static_cast<std::uint32_t>(file.size()));
  put_u32(file, 10, kPixelOffset);
  put_u32(file, 14, 40);
  put_u32(file, 18, kTinyWidth);
  put_u32(file, 22, kTinyHeight);
  put_u16(file, 26, 1);
  put_u16(file, 28, 8);
  put_u32(file, 30, 1);  // RLE8
  put_u32(file, 34, static_cast<std::uint32_t>(stream.size()));
  put_u32(file, 46, 256);
  for (std::size_t i = 0; i < 256; ++i) {  // blue, green, red, 0
    file[54 + 4 * i] = static_cast<std::uint8_t>(i / 2);
    file[54 + 4 * i + 1] = static_cast<std::uint8_t>(255 - i);
    file[54 + 4 * i + 2] = static_cast<std::uint8_t>(i);
  }
  return file;
}

std::vector<std::uint8_t> picture_value(const std::vector<std::uint8_t>& bitmap) {
  std::vector<std::uint8_t> value(kFramingBytes + bitmap.size());
  put_u32(value, 0, static_cast<std::uint32_t>(bitmap.size() + 8));
  value[4] = 0x6C, value[5] = 0x74;
  put_u32(value, 8, static_cast<std::uint32_t>(bitmap.size()));
  std::copy(bitmap.begin(), bitmap.end(), value.begin() + kFramingBytes);
  return value;
}

std::vector<std::uint8_t> tiny_picture_value() { return picture_value(tiny_bitmap()); }

}  // namespace rt_test
