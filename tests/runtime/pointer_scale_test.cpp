#include <gtest/gtest.h>

#include <bit>
#include <limits>

#include "runtime/pointer_scale.h"
#include "runtime/window_builder.h"
#include "tests/runtime/picture_area_fixture.h"

namespace {

rt::PointerScale scale() { return fixture::picture_area_scale(); }

TEST(PointerScale, InnerAreaLiesInsideTheTwoPixelBorder) {
  const rt::PointerScale s = scale();
  EXPECT_EQ(s.inner.left, 2);
  EXPECT_EQ(s.inner.top, 2);
  EXPECT_EQ(s.inner.width, 567);
  EXPECT_EQ(s.inner.height, 764);
  EXPECT_TRUE(rt::over_inner_area(s, 2, 2));
  EXPECT_TRUE(rt::over_inner_area(s, 568, 565));
  for (const auto& [x, y] : {std::pair{1, 10}, {10, 1}, {0, 0}, {569, 10}, {570, 300}, {10, 766}}) {
    EXPECT_FALSE(rt::over_inner_area(s, x, y)) << x << "," << y;
  }
}

TEST(PointerScale, MapsInnerPixelsOntoTheUserScale) {
  const rt::PointerScale s = scale();
  EXPECT_EQ(rt::user_x(s, 2), 0.0f);
  EXPECT_EQ(rt::user_y(s, 2), 0.0f);
  // The lowest visible pixel of the rightmost inner column: 566 * 14.8828 / 567,
  // rounded once, and 563 * 29.84375 / 764 = 21.9921875 exactly.
  EXPECT_EQ(std::bit_cast<std::uint32_t>(rt::user_x(s, 2 + 566)), 0x416DB470u);
  EXPECT_NEAR(rt::user_x(s, 2 + 566), 14.8566, 1e-4);
  EXPECT_EQ(rt::user_y(s, 2 + 563), 21.9921875f);
  EXPECT_EQ(rt::user_y(s, 2 + 1), 0.0390625f);  // one row is exactly 5/128 units
}

TEST(PointerScale, ContinuesTheScaleOutsideTheInnerArea) {
  const rt::PointerScale s = scale();
  EXPECT_EQ(rt::user_y(s, 0), -2 * 0.0390625f);
  EXPECT_EQ(rt::user_y(s, -98), -100 * 0.0390625f);
  EXPECT_LT(rt::user_x(s, -50), 0.0f);
  EXPECT_NEAR(rt::user_x(s, -50), -52 * 14.8828 / 567, 1e-5);
  EXPECT_NEAR(rt::user_x(s, 2 + 1134), 2 * 14.8828, 1e-4);
}

TEST(PointerScale, HoldsForEveryIntPixel) {
  // No window reports such pixels, but the arithmetic must not overflow on them.
  constexpr int kLowest = std::numeric_limits<int>::min(), kHighest = std::numeric_limits<int>::max();
  const rt::PointerScale s = scale();
  const double unit_x = double(s.scale_width) / s.inner.width, unit_y = double(s.scale_height) / s.inner.height;
  EXPECT_FLOAT_EQ(rt::user_x(s, kLowest), float((double(kLowest) - 2) * unit_x));
  EXPECT_FLOAT_EQ(rt::user_x(s, kHighest), float((double(kHighest) - 2) * unit_x));
  EXPECT_FLOAT_EQ(rt::user_y(s, kLowest), float((double(kLowest) - 2) * unit_y));
  EXPECT_FLOAT_EQ(rt::user_y(s, kHighest), float((double(kHighest) - 2) * unit_y));
  EXPECT_FALSE(rt::over_inner_area(s, kLowest, 10));
  EXPECT_FALSE(rt::over_inner_area(s, 10, kHighest));
}

}  // namespace
