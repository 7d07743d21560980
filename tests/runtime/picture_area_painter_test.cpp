// The picture area as the SDL desktop paints it, on a canvas in memory that can
// be made to fail.
#include "runtime/sdl/picture_area_painter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/runtime/tiny_bitmap.h"

namespace {

constexpr int kWidth = 10, kHeight = 8;
// A 10 x 8 area with its 2-pixel border: the inner area is 6 x 4 at (2, 2).
constexpr rt::PictureAreaGeometry kArea{.left = 0, .top = 0, .width = kWidth, .height = kHeight, .border = 2};

class MemoryCanvas final : public rt::WindowCanvas {
 public:
  bool has_pixels = true;
  bool show_succeeds = true;
  int shows = 0;

  MemoryCanvas() : bytes_(kWidth * kHeight * 4) {
    target_ = {.pixels = bytes_.data(), .pitch = kWidth * 4, .bytes_per_pixel = 4, .width = kWidth,
               .height = kHeight, .masks = masks()};
  }
  rt::PixelTarget* pixels() override { return has_pixels ? &target_ : nullptr; }
  bool show() override {
    ++shows;
    return show_succeeds;
  }
  rt::ChannelMasks masks() const override { return {.red = 0xFF0000, .green = 0xFF00, .blue = 0xFF}; }

  rt::Rgb at(int x, int y) const {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes_.data() + (y * kWidth + x) * 4, 4);
    return {std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)};
  }

 private:
  std::vector<std::uint8_t> bytes_;
  rt::PixelTarget target_;
};

rt::PictureRef tiny_picture() { return rt::decode_stored_picture(rt_test::tiny_picture_value(), "Image1"); }

TEST(PictureAreaPainter, BorderPictureAndFaceEachWhereTheyBelong) {
  MemoryCanvas canvas;
  const rt::PictureRef picture = tiny_picture();  // 4 x 2: 1 1 2 3 over 5 5 5 5, entry i = (i, 255 - i, i / 2)
  ASSERT_TRUE(rt::paint_picture_area(canvas, kArea, picture.get()));
  EXPECT_EQ(canvas.shows, 1);
  EXPECT_EQ(canvas.at(0, 0), (rt::Rgb{128, 128, 128})) << "outer shadow, top-left";
  EXPECT_EQ(canvas.at(1, 5), (rt::Rgb{64, 64, 64})) << "inner shadow, left";
  EXPECT_EQ(canvas.at(9, 7), (rt::Rgb{255, 255, 255})) << "outer light, bottom-right";
  EXPECT_EQ(canvas.at(8, 3), (rt::Rgb{223, 223, 223})) << "inner light, right";
  EXPECT_EQ(canvas.at(2, 2), (rt::Rgb{1, 254, 0})) << "the picture's top-left pixel on the inner area's";
  EXPECT_EQ(canvas.at(5, 2), (rt::Rgb{3, 252, 1}));
  EXPECT_EQ(canvas.at(5, 3), (rt::Rgb{5, 250, 2})) << "its bottom row";
  EXPECT_EQ(canvas.at(6, 2), rt::kFaceColour) << "right of the picture";
  EXPECT_EQ(canvas.at(2, 4), rt::kFaceColour) << "below it";
}

TEST(PictureAreaPainter, WithoutAPictureTheInnerAreaIsFace) {
  MemoryCanvas canvas;
  ASSERT_TRUE(rt::paint_picture_area(canvas, kArea, nullptr));
  for (int y = 2; y < 6; ++y) {
    for (int x = 2; x < 8; ++x) EXPECT_EQ(canvas.at(x, y), rt::kFaceColour) << x << ", " << y;
  }
}

// A picture that did not reach the screen is no success, whether the canvas had
// nowhere to draw or could not show what was drawn.
TEST(PictureAreaPainter, FailsWhenThePictureDoesNotReachTheScreen) {
  const rt::PictureRef picture = tiny_picture();
  MemoryCanvas no_pixels;
  no_pixels.has_pixels = false;
  EXPECT_FALSE(rt::paint_picture_area(no_pixels, kArea, picture.get()));
  EXPECT_EQ(no_pixels.shows, 0);

  MemoryCanvas not_shown;
  not_shown.show_succeeds = false;
  EXPECT_FALSE(rt::paint_picture_area(not_shown, kArea, picture.get()));
  EXPECT_EQ(not_shown.shows, 1);
}

}  // namespace
