#include "runtime/stored_picture_value.h"

#include <string>

#include "runtime/errors.h"
#include "runtime/stored_picture_format.h"

namespace rt {
namespace {

using namespace stored_picture;

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
  if (value.size() < kBitmapAt) fail("picture value is too short");
  if (u32(value, kSizeAt) != value.size() - kSizeFieldBytes) fail("picture value has the wrong size field");
  for (std::size_t i = 0; i < kStreamTag.size(); ++i) {
    if (value[kTagAt + i] != kStreamTag[i]) fail("picture value has the wrong stream tag");
  }
  const auto file = value.subspan(kBitmapAt);
  if (u32(value, kLengthAt) != file.size()) fail("picture value has the wrong length field");

  if (file.size() < kPaletteAt) fail("bitmap is too short for its headers");
  if (file[kSignatureAt] != 'B' || file[kSignatureAt + 1] != 'M') fail("bitmap has no BM signature");
  if (u32(file, kFileSizeAt) != file.size()) fail("bitmap has the wrong file size");
  if (u32(file, kInfoHeaderSizeAt) != kInfoHeaderSize) fail("bitmap has the wrong information header size");
  const std::int32_t width = s32(file, kWidthAt), height = s32(file, kHeightAt);
  if (width <= 0 || height <= 0) fail("bitmap width and height must be positive");
  if (width > kMaxSide || height > kMaxSide) fail("bitmap is too large");
  if (u16(file, kPlanesAt) != kPlanes) fail("bitmap has the wrong number of planes");
  if (u16(file, kBitsPerPixelAt) != kBitsPerPixel) fail("bitmap is not 8 bits per pixel");
  if (u32(file, kCompressionAt) != kCompressionRle8) fail("bitmap is not RLE8 compressed");
  const std::uint32_t colours_used = u32(file, kColoursUsedAt);
  const std::size_t colours = colours_used == 0 ? kPaletteEntries : colours_used;
  if (colours > kPaletteEntries) fail("bitmap has more than 256 colours");
  const std::uint32_t offset = u32(file, kPixelDataOffsetAt);
  if (offset < kPaletteAt + colours * kPaletteEntryBytes || offset >= file.size()) {
    fail("bitmap has a bad pixel data offset");
  }
  return {.width = width,
          .height = height,
          .palette = file.subspan(kPaletteAt, colours * kPaletteEntryBytes),
          .pixel_data = file.subspan(offset)};
}

}  // namespace rt
