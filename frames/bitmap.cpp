#include "frames/bitmap.h"

#include <cassert>
#include <cstdint>
#include <limits>

namespace frames {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kPlanes = 1, kBitsPerPixel = 8;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kColoursUsed = 256;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 16) & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 24));
}

std::uint8_t level(int value, int top) {  // value * 255 / top, to the nearest integer
  return static_cast<std::uint8_t>((value * 255 * 2 + top) / (2 * top));
}

}  // namespace

const std::array<Rgb, 256>& palette() {
  static const std::array<Rgb, 256> entries = [] {
    std::array<Rgb, 256> p{};
    for (int i = 0; i < 256; ++i)
      p[i] = {level(i / 32, 7), level((i / 4) % 8, 7), static_cast<std::uint8_t>(i % 4 * 85)};
    return p;
  }();
  return entries;
}

std::vector<std::uint8_t> bitmap_file(int width, int height,
                                      std::span<const std::uint8_t> rle8_data) {
  assert(rle8_data.size() <= std::numeric_limits<std::uint32_t>::max() - kPixelDataOffset);
  const auto file_size = static_cast<std::uint32_t>(kPixelDataOffset + rle8_data.size());
  std::vector<std::uint8_t> out;
  out.reserve(file_size);
  out.push_back('B');
  out.push_back('M');
  put32(out, file_size);
  put16(out, 0);
  put16(out, 0);
  put32(out, kPixelDataOffset);
  put32(out, kInfoHeaderSize);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, kPlanes);
  put16(out, kBitsPerPixel);
  put32(out, kCompressionRle8);
  put32(out, static_cast<std::uint32_t>(rle8_data.size()));
  put32(out, 0);
  put32(out, 0);
  put32(out, kColoursUsed);
  put32(out, 0);
  for (const Rgb& c : palette()) {
    out.push_back(c.blue);
    out.push_back(c.green);
    out.push_back(c.red);
    out.push_back(0);
  }
  assert(out.size() == kPixelDataOffset);
  out.insert(out.end(), rle8_data.begin(), rle8_data.end());
  return out;
}

std::vector<std::uint8_t> picture_value(std::span<const std::uint8_t> bitmap) {
  assert(bitmap.size() <= std::numeric_limits<std::uint32_t>::max() - 8);
  const auto length = static_cast<std::uint32_t>(bitmap.size());
  std::vector<std::uint8_t> out;
  out.reserve(kPictureHeaderSize + bitmap.size());
  put32(out, length + 8);
  for (char c : {'l', 't', '\0', '\0'}) out.push_back(static_cast<std::uint8_t>(c));
  put32(out, length);
  out.insert(out.end(), bitmap.begin(), bitmap.end());
  return out;
}

}  // namespace frames
