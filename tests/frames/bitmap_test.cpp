#include "frames/bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace frames {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t read32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

TEST(Bitmap, FixedHeaderBytes) {
  const Bytes rle{2, 7, 0, 1};
  const Bytes file = bitmap_file(600, 562, rle);
  ASSERT_EQ(file.size(), 1078u + rle.size());
  const Bytes expected_head{
      'B', 'M', 0x3A, 0x04, 0, 0,     // file size 1082
      0, 0, 0, 0,                     // reserved
      0x36, 0x04, 0, 0,               // pixel data at 1078
      40, 0, 0, 0,                    // information header
      0x58, 0x02, 0, 0,               // width 600
      0x32, 0x02, 0, 0,               // height 562, bottom-up
      1, 0, 8, 0,                     // planes, bits per pixel
      1, 0, 0, 0,                     // RLE8
      4, 0, 0, 0,                     // pixel data size
      0, 0, 0, 0, 0, 0, 0, 0,         // resolutions
      0, 1, 0, 0,                     // 256 colours used
      0, 0, 0, 0};                    // important colours
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), expected_head);
  EXPECT_EQ(Bytes(file.begin() + 1078, file.end()), rle);
}

TEST(Bitmap, PaletteIsTheColourCubeInBlueGreenRedOrder) {
  const Bytes file = bitmap_file(1, 1, Bytes{1, 0, 0, 1});
  struct Entry {
    int index;
    Bytes bgr0;
  };
  for (const Entry& e : {Entry{0, {0, 0, 0, 0}}, Entry{3, {255, 0, 0, 0}},
                         Entry{28, {0, 255, 0, 0}}, Entry{31, {255, 255, 0, 0}},
                         Entry{224, {0, 0, 255, 0}}, Entry{227, {255, 0, 255, 0}},
                         Entry{255, {255, 255, 255, 0}},
                         // red level 1 = 36, green level 2 = 73, blue level 1 = 85
                         Entry{32 + 8 + 1, {85, 73, 36, 0}},
                         // red 3 = 109, green 5 = 182, blue 2 = 170
                         Entry{96 + 20 + 2, {170, 182, 109, 0}},
                         // red 4 = 146, green 6 = 219
                         Entry{128 + 24, {0, 219, 146, 0}}}) {
    const auto at = file.begin() + 54 + 4 * e.index;
    EXPECT_EQ(Bytes(at, at + 4), e.bgr0) << "entry " << e.index;
  }
}

TEST(PictureValue, SizeTagLengthThenTheFile) {
  const Bytes file{'B', 'M', 1, 2, 3};
  const Bytes value = picture_value(file);
  EXPECT_EQ(value, (Bytes{13, 0, 0, 0, 'l', 't', 0, 0, 5, 0, 0, 0, 'B', 'M', 1, 2, 3}));
}

TEST(PictureValue, LargeLengthsKeepAllFourBytes) {
  const Bytes file(0x012345, 0xAB);
  const Bytes value = picture_value(file);
  EXPECT_EQ(read32(value, 0), 0x012345u + 8);
  EXPECT_EQ(read32(value, 8), 0x012345u);
  EXPECT_EQ(value.size(), 12u + file.size());
}

}  // namespace
}  // namespace frames
