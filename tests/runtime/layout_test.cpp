#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "frames/stored_pictures.h"
#include "frames/window_layout.h"
#include "runtime/picture.h"
#include "runtime/pointer_scale.h"
#include "runtime/window_builder.h"
#include "tests/runtime/tiny_bitmap.h"

namespace {

std::vector<std::string> creation_order() {
  std::vector<std::string> names;
  for (int n = 54; n >= 15; --n) names.push_back(frames::holder_name(n));
  for (int n : {14, 12, 11, 13}) names.push_back(frames::holder_name(n));
  for (int n = 10; n >= 1; --n) names.push_back(frames::holder_name(n));
  return names;
}

class RealLayout : public testing::Test {
 protected:
  static void SetUpTestSuite() { window_ = rt::build_window(frames::window_layout(), nullptr).release(); }
  static void TearDownTestSuite() { delete window_; }
  static rt::Window* window_;
};
rt::Window* RealLayout::window_ = nullptr;

TEST_F(RealLayout, CreatesTheHoldersInTheLayoutsOrder) {
  std::vector<std::string> names;
  for (const auto& holder : window_->image_holders()) names.push_back(holder->name());
  EXPECT_EQ(names, creation_order());
}

TEST_F(RealLayout, EveryHolderIsReachableByNameWithItsOwnFrame) {
  std::set<const rt::Picture*> distinct;
  for (int n = 1; n <= frames::kFrameCount; ++n) {
    const rt::PictureRef picture = rt::picture_of(window_->control(frames::holder_name(n)));
    ASSERT_TRUE(picture) << n;
    EXPECT_EQ(picture->width(), 600);
    EXPECT_EQ(picture->height(), 562);
    distinct.insert(picture.get());
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(frames::kFrameCount));
}

TEST_F(RealLayout, Image1HoldsTheFirstStoredPictureDecoded) {
  const rt::PictureRef expected = rt::decode_stored_picture(frames::stored_picture(1), "Image1");
  const rt::PictureRef held = rt::picture_of(window_->control("Image1"));
  EXPECT_TRUE(std::ranges::equal(held->pixels(), expected->pixels()));
  EXPECT_EQ(held->palette(), expected->palette());
  const rt::PictureRef twelve = rt::picture_of(window_->control("Image12"));
  EXPECT_FALSE(std::ranges::equal(twelve->pixels(), expected->pixels()));
}

// SDL's bitmap loader, an independent reader of the format, sees the same pixels
// and colours in every stored picture as the picture objects hold.
TEST_F(RealLayout, EveryHolderHoldsWhatSdlsBitmapLoaderReads) {
  for (int n = 1; n <= frames::kFrameCount; ++n) {
    SCOPED_TRACE(n);
    const std::span<const std::uint8_t> file = frames::stored_picture(n).subspan(rt_test::kFramingBytes);
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
    ASSERT_NE(loaded, nullptr) << SDL_GetError();
    const rt::PictureRef held = rt::picture_of(window_->control(frames::holder_name(n)));
    ASSERT_EQ(loaded->w, held->width());
    ASSERT_EQ(loaded->h, held->height());
    const std::vector<std::uint8_t> pixels = held->pixels();
    int wrong_rows = 0;
    for (int y = 0; y < loaded->h; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(loaded->pixels) + y * loaded->pitch;
      wrong_rows += !std::equal(row, row + loaded->w, pixels.begin() + std::ptrdiff_t(y) * held->width());
    }
    EXPECT_EQ(wrong_rows, 0);
    for (int i = 0; i < loaded->format->palette->ncolors; ++i) {
      const SDL_Color c = loaded->format->palette->colors[i];
      EXPECT_EQ(held->palette()[i], (rt::Rgb{c.r, c.g, c.b})) << "colour " << i;
    }
    SDL_FreeSurface(loaded);
  }
}

TEST_F(RealLayout, PictureAreaGeometry) {
  const rt::PictureBoxLayout& box = frames::window_layout().picture_box;
  const rt::PictureAreaGeometry area = rt::picture_area_geometry(box);
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.width, 571);
  EXPECT_EQ(area.height, 768);
  EXPECT_EQ(area.border, 2);
  const rt::PointerScale scale = rt::pointer_scale(area, box);
  EXPECT_EQ(scale.inner.width, 567);
  EXPECT_EQ(scale.inner.height, 764);
  EXPECT_EQ(rt::user_x(scale, 2), 0.0f);
  EXPECT_NEAR(rt::user_x(scale, 2 + 566), 14.8566, 1e-4);
  EXPECT_EQ(rt::user_y(scale, 2 + 563), 21.9921875f);
  EXPECT_EQ(window_->picture_box().name(), "Picture1");
}

}  // namespace
