#pragma once
// A tiny stored picture, written by hand: a 4 x 2 RLE8 bitmap whose top row is
// 1 1 2 3 and whose bottom row is 5 5 5 5, with palette entry i = (i, 255 - i, i / 2).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt_test {

inline constexpr int kTinyWidth = 4, kTinyHeight = 2;

// The bitmap file alone.
std::vector<std::uint8_t> tiny_bitmap();
// Wraps a bitmap file in the stored picture framing: size, "lt" tag, length.
inline constexpr std::size_t kFramingBytes = 12;  // where the bitmap file starts in a value
std::vector<std::uint8_t> picture_value(const std::vector<std::uint8_t>& bitmap);
std::vector<std::uint8_t> tiny_picture_value();

// Little-endian writes into a byte buffer.
void put_u32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v);
void put_u16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t v);

}  // namespace rt_test
