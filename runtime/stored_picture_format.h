#pragma once
// The stored picture value and the bitmap file inside it: the runtime reads this
// format, and a program's build writes it. All numbers are little-endian.
//
// Picture value:
//   offset  size  field
//        0     4  size: the number of bytes that follow this field (length + 8)
//        4     4  stream tag: "lt" and two zero bytes
//        8     4  length of the bitmap file
//       12     -  the bitmap file
//
// Bitmap file, offsets from its first byte:
//        0     2  signature "BM"
//        2     4  file size
//        6     4  two reserved halves, 0
//       10     4  offset of the pixel data
//       14     4  information header size, 40
//       18     4  width, signed
//       22     4  height, signed; positive: the rows run bottom-up
//       26     2  planes, 1
//       28     2  bits per pixel, 8
//       30     4  compression, 1 = RLE8
//       34     4  pixel data size
//       38     8  horizontal and vertical resolution, pixels per metre
//       46     4  colours used (0: all 256)
//       50     4  important colours
//       54  4 x n palette: n entries of blue, green, red, 0
//   offset     -  RLE8 pixel data (runtime/rle8.h), to the end of the file

#include <array>
#include <cstddef>
#include <cstdint>

namespace rt::stored_picture {

inline constexpr std::size_t kSizeAt = 0, kTagAt = 4, kLengthAt = 8, kBitmapAt = 12;
inline constexpr std::array<std::uint8_t, 4> kStreamTag = {0x6C, 0x74, 0x00, 0x00};
// The bytes of the size field itself, which its value does not count.
inline constexpr std::size_t kSizeFieldBytes = 4;

inline constexpr std::size_t kSignatureAt = 0, kFileSizeAt = 2, kPixelDataOffsetAt = 10, kInfoHeaderSizeAt = 14,
                             kWidthAt = 18, kHeightAt = 22, kPlanesAt = 26, kBitsPerPixelAt = 28,
                             kCompressionAt = 30, kPixelDataSizeAt = 34, kColoursUsedAt = 46, kPaletteAt = 54;

inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint16_t kPlanes = 1, kBitsPerPixel = 8;
inline constexpr std::uint32_t kCompressionRle8 = 1;
inline constexpr std::size_t kPaletteEntries = 256, kPaletteEntryBytes = 4;
// Where the pixel data starts behind a full palette.
inline constexpr std::size_t kFullPalettePixelDataAt = kPaletteAt + kPaletteEntries * kPaletteEntryBytes;

}  // namespace rt::stored_picture
