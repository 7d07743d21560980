#include "frames/bitmap.h"

#include <cassert>
#include <limits>

#include "runtime/stored_picture_format.h"

namespace frames {
namespace {

using namespace rt::stored_picture;

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

std::uint8_t level(int value, int top) {  // value * 255 / top, to the nearest integer
  return static_cast<std::uint8_t>((value * 255 * 2 + top) / (2 * top));
}

}  // namespace

const std::array<rt::Rgb, 256>& palette() {
  static const std::array<rt::Rgb, 256> entries = [] {
    std::array<rt::Rgb, 256> p{};
    for (int i = 0; i < 256; ++i)
      p[i] = {level(i / 32, 7), level((i / 4) % 8, 7), static_cast<std::uint8_t>(i % 4 * 85)};
    return p;
  }();
  return entries;
}

// Fields not written stay 0: the reserved halves, the resolutions and the
// important colours.
std::vector<std::uint8_t> bitmap_file(int width, int height, std::span<const std::uint8_t> rle8_data) {
  constexpr std::size_t kPixelDataAt = kFullPalettePixelDataAt;
  assert(rle8_data.size() <= std::numeric_limits<std::uint32_t>::max() - kPixelDataAt);
  const auto file_size = static_cast<std::uint32_t>(kPixelDataAt + rle8_data.size());
  std::vector<std::uint8_t> out(kPixelDataAt);
  out.reserve(file_size);
  out[kSignatureAt] = 'B';
  out[kSignatureAt + 1] = 'M';
  put32(out, kFileSizeAt, file_size);
  put32(out, kPixelDataOffsetAt, kPixelDataAt);
  put32(out, kInfoHeaderSizeAt, kInfoHeaderSize);
  put32(out, kWidthAt, static_cast<std::uint32_t>(width));
  put32(out, kHeightAt, static_cast<std::uint32_t>(height));
  put16(out, kPlanesAt, kPlanes);
  put16(out, kBitsPerPixelAt, kBitsPerPixel);
  put32(out, kCompressionAt, kCompressionRle8);
  put32(out, kPixelDataSizeAt, static_cast<std::uint32_t>(rle8_data.size()));
  put32(out, kColoursUsedAt, kPaletteEntries);
  std::size_t at = kPaletteAt;
  for (const rt::Rgb& c : palette()) {
    out[at] = c.b, out[at + 1] = c.g, out[at + 2] = c.r;  // and a zero byte
    at += kPaletteEntryBytes;
  }
  out.insert(out.end(), rle8_data.begin(), rle8_data.end());
  return out;
}

std::vector<std::uint8_t> picture_value(std::span<const std::uint8_t> bitmap) {
  assert(bitmap.size() <= std::numeric_limits<std::uint32_t>::max() - (kBitmapAt - kSizeFieldBytes));
  const auto length = static_cast<std::uint32_t>(bitmap.size());
  std::vector<std::uint8_t> out(kBitmapAt);
  out.reserve(kBitmapAt + bitmap.size());
  put32(out, kSizeAt, static_cast<std::uint32_t>(kBitmapAt - kSizeFieldBytes) + length);
  std::copy(kStreamTag.begin(), kStreamTag.end(), out.begin() + kTagAt);
  put32(out, kLengthAt, length);
  out.insert(out.end(), bitmap.begin(), bitmap.end());
  return out;
}

}  // namespace frames
