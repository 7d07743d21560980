// The built-in pictures, read back by SDL's bitmap loader rather than by our own code.
#include "frames/stored_pictures.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "frames/bitmap.h"
#include "frames/drawing.h"

namespace frames {
namespace {

// The format's own figures, written out here rather than taken from the writer.
constexpr std::size_t kPictureHeaderSize = 12;  // size, tag, length
constexpr std::size_t kPixelDataOffset = 1078;  // headers and the full palette

std::uint32_t read32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

std::span<const std::uint8_t> bitmap_of(std::span<const std::uint8_t> value) {
  return value.subspan(kPictureHeaderSize);
}

TEST(StoredPictures, OutOfRangeNumbersGiveNothing) {
  EXPECT_TRUE(stored_picture(0).empty());
  EXPECT_TRUE(stored_picture(kFrameCount + 1).empty());
  EXPECT_FALSE(stored_picture(1).empty());
  EXPECT_FALSE(stored_picture(kFrameCount).empty());
}

TEST(StoredPictures, HeadersAndSizes) {
  std::size_t smallest = SIZE_MAX, largest = 0;
  for (int number = 1; number <= kFrameCount; ++number) {
    SCOPED_TRACE(number);
    const auto value = stored_picture(number);
    ASSERT_GE(value.size(), kPictureHeaderSize + kPixelDataOffset);
    const std::uint32_t length = read32(value, 8);
    EXPECT_EQ(read32(value, 0), length + 8);
    EXPECT_EQ(value[4], 'l');
    EXPECT_EQ(value[5], 't');
    EXPECT_EQ(value[6], 0);
    EXPECT_EQ(value[7], 0);
    EXPECT_EQ(value.size(), kPictureHeaderSize + length);
    const auto bmp = bitmap_of(value);
    EXPECT_EQ(read32(bmp, 2), length);
    EXPECT_EQ(read32(bmp, 34), length - kPixelDataOffset);
    smallest = std::min<std::size_t>(smallest, length);
    largest = std::max<std::size_t>(largest, length);
  }
  std::printf("bitmap files: %zu to %zu bytes\n", smallest, largest);
  // The drawing's reference frames measured 24,052 to 25,002 bytes; ours are alike.
  EXPECT_GT(smallest, 20000u);
  EXPECT_LT(largest, 30000u);
}

// Walks the codes: only encoded runs, even absolute runs without pad bytes, 561 row ends
// and the bitmap end as the last two bytes; every row exactly 600 pixels.
TEST(StoredPictures, StreamUsesOnlyTheAllowedCodes) {
  for (int number = 1; number <= kFrameCount; ++number) {
    SCOPED_TRACE(number);
    const auto data = bitmap_of(stored_picture(number)).subspan(kPixelDataOffset);
    std::size_t at = 0, row_pixels = 0;
    int rows_ended = 0;
    bool ended = false;
    while (at + 1 < data.size() && !ended) {
      const std::uint8_t n = data[at], c = data[at + 1];
      at += 2;
      if (n > 0) {
        row_pixels += n;
      } else if (c == 0 || c == 1) {
        ASSERT_EQ(row_pixels, 600u) << "row " << rows_ended;
        row_pixels = 0;
        if (c == 0) ++rows_ended;
        ended = c == 1;
      } else {
        ASSERT_NE(c, 2) << "delta";
        ASSERT_EQ(c % 2, 0) << "odd absolute run";
        at += c;
        row_pixels += c;
      }
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(rows_ended, 561);
    EXPECT_EQ(at, data.size()) << "bytes after the end code";
  }
}

TEST(StoredPictures, SdlDecodesOurPixelsAndPalette) {
  for (int frame = 0; frame < kFrameCount; ++frame) {
    SCOPED_TRACE(frame);
    const auto bmp = bitmap_of(stored_picture(frame + 1));
    SDL_RWops* rw = SDL_RWFromConstMem(bmp.data(), int(bmp.size()));
    ASSERT_NE(rw, nullptr);
    SDL_Surface* s = SDL_LoadBMP_RW(rw, 1);
    ASSERT_NE(s, nullptr) << SDL_GetError();
    ASSERT_EQ(s->w, kFrameWidth);
    ASSERT_EQ(s->h, kFrameHeight);
    ASSERT_EQ(s->format->BitsPerPixel, 8);
    ASSERT_NE(s->format->palette, nullptr);
    ASSERT_GE(s->format->palette->ncolors, 256);
    for (int i = 0; i < 256; ++i) {
      const SDL_Color c = s->format->palette->colors[i];
      const rt::Rgb want = palette()[i];
      ASSERT_EQ(c.r, want.r) << "entry " << i;
      ASSERT_EQ(c.g, want.g) << "entry " << i;
      ASSERT_EQ(c.b, want.b) << "entry " << i;
    }
    const Canvas drawn = draw_frame(frame / 18, frame % 18);
    int wrong = 0;
    for (int y = 0; y < kFrameHeight; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
      for (int x = 0; x < kFrameWidth; ++x) wrong += row[x] != drawn.at(x, y);
    }
    EXPECT_EQ(wrong, 0);
    SDL_FreeSurface(s);
  }
}

}  // namespace
}  // namespace frames
