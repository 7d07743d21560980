#include "runtime/stored_picture_value.h"

#include <string>

#include "runtime/errors.h"

namespace rt {
namespace {

// Value framing: size (bytes that follow it), stream tag, length, bitmap file.
constexpr std::size_t kFramingBytes = 12;
constexpr std::uint8_t kStreamTag[4] = {0x6C, 0x74, 0x00, 0x00};  // "lt" and two zero bytes

// Bitmap file header (14 bytes) and information header (40 bytes).
constexpr std::size_t kBitmapHeadersBytes = 54;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr int kBitsPerPixel = 8;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kPaletteEntries = 256;
constexpr std::uint32_t kPaletteEntryBytes = 4;
// Far beyond any frame; keeps a corrupt header from asking for gigabytes.
constexpr std::int32_t kMaxSide = 16384;

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::int32_t s32(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

}  // namespace

BitmapInfo check_stored_picture(std::span<const std::uint8_t> value, std::string_view holder) {
  const auto fail = [&](const char* what) {
    raise(ErrorNumber::invalid_picture, std::string(holder) + ": " + what);
  };
  if (value.size() < kFramingBytes) fail("picture value is too short");
  if (u32(value, 0) != value.size() - 4) fail("picture value has the wrong size field");
  for (std::size_t i = 0; i < 4; ++i) {
    if (value[4 + i] != kStreamTag[i]) fail("picture value has the wrong stream tag");
  }
  const auto file = value.subspan(kFramingBytes);
  if (u32(value, 8) != file.size()) fail("picture value has the wrong length field");

  if (file.size() < kBitmapHeadersBytes) fail("bitmap is too short for its headers");
  if (file[0] != 'B' || file[1] != 'M') fail("bitmap has no BM signature");
  if (u32(file, 2) != file.size()) fail("bitmap has the wrong file size");
  if (u32(file, 14) != kInfoHeaderSize) fail("bitmap has the wrong information header size");
  const std::int32_t width = s32(file, 18), height = s32(file, 22);
  if (width <= 0 || height <= 0) fail("bitmap width and height must be positive");
  if (width > kMaxSide || height > kMaxSide) fail("bitmap is too large");
  if (u16(file, 26) != 1) fail("bitmap has the wrong number of planes");
  if (u16(file, 28) != kBitsPerPixel) fail("bitmap is not 8 bits per pixel");
  if (u32(file, 30) != kCompressionRle8) fail("bitmap is not RLE8 compressed");
  const std::uint32_t colours = u32(file, 46) == 0 ? kPaletteEntries : u32(file, 46);
  if (colours > kPaletteEntries) fail("bitmap has more than 256 colours");
  const std::uint32_t offset = u32(file, 10);
  if (offset < kBitmapHeadersBytes + colours * kPaletteEntryBytes || offset >= file.size()) {
    fail("bitmap has a bad pixel data offset");
  }
  return {.width = width,
          .height = height,
          .palette = file.subspan(kBitmapHeadersBytes, colours * kPaletteEntryBytes),
          .pixel_data = file.subspan(offset)};
}

}  // namespace rt
