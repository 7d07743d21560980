#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <limits>

#include "runtime/errors.h"
#include "runtime/services.h"

namespace {

TEST(CountedLoop, PerformsEveryStepFromStartToEnd) {
  struct Case {
    double end;
    std::int64_t steps;
  };
  for (const Case c : {Case{0, 1}, Case{-3, 0}, Case{2.5, 3}, Case{1000000, 1000001},
                       Case{static_cast<double>(9801.98f), 9802}}) {
    EXPECT_EQ(rt::counted_loop(0, c.end, 1), c.steps) << "end " << c.end;
  }
}

TEST(CountedLoop, CountsFromItsStartAndByItsStep) {
  EXPECT_EQ(rt::counted_loop(5, 7, 1), 3);
  EXPECT_EQ(rt::counted_loop(10, 1, -3), 4);  // 10, 7, 4, 1
  EXPECT_EQ(rt::counted_loop(0, std::nan(""), 1), 0);
}

TEST(SingleProduct, MultipliesExactlyAndRoundsOnce) {
  EXPECT_EQ(rt::single_product(2, 30, 3), 180.0f);
  // Rounding X * 30 to single precision first would give 0x45CFD21E here.
  const float x = std::bit_cast<float>(0x412CE0BDu), y = std::bit_cast<float>(0x41A4214Eu);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(rt::single_product(x, 30, y)), 0x45CFD21Fu);
  EXPECT_EQ(rt::single_product(-2, 30, 3), -180.0f);
}

TEST(SingleProduct, IgnoresFlagsLeftByEarlierArithmetic) {
  std::feraiseexcept(FE_OVERFLOW | FE_INVALID);
  EXPECT_EQ(rt::single_product(2, 30, 3), 180.0f);
}

TEST(SingleProduct, FaultsRaiseTheFloatingPointError) {
  const float big = std::numeric_limits<float>::max();
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    float x, y;
  };
  for (const Case c : {Case{"overflow", big, 2}, Case{"NaN", nan, 1}, Case{"NaN in Y", 1, nan},
                       Case{"infinity times 0", inf, 0}, Case{"infinity", inf, 1}}) {
    try {
      rt::single_product(c.x, 30, c.y);
      ADD_FAILURE() << c.what << " gave no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.number(), rt::ErrorNumber::floating_point) << c.what;
    }
  }
}

TEST(KeyString, GivesTheOneCharacterStringOfTheCode) {
  EXPECT_EQ(rt::key_string('a'), "a");
  EXPECT_EQ(rt::key_string('V'), "V");
  EXPECT_EQ(rt::key_string('+'), "+");
  EXPECT_EQ(rt::key_string(27), "\x1b");
  EXPECT_EQ(rt::key_string(0), std::string(1, '\0'));
  EXPECT_EQ(rt::key_string(233), "\xC3\xA9");       // é
  EXPECT_EQ(rt::key_string(8364), "\xE2\x82\xAC");  // €
  EXPECT_EQ(rt::key_string(32767), "\xE7\xBF\xBF");
}

}  // namespace
