#include "frames/rle8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace frames {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes repeat(std::size_t n, std::uint8_t v) { return Bytes(n, v); }
Bytes join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct RowCase {
  std::string name;
  Bytes row;
  Bytes expected;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class EncodeRow : public testing::TestWithParam<RowCase> {};

TEST_P(EncodeRow, WritesExactCodes) {
  Bytes out;
  encode_rle8_row(GetParam().row, out);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EncodeRow,
    testing::Values(
        RowCase{"RunOfTwo", {7, 7}, {2, 7}},
        RowCase{"Run255IsOneCode", repeat(255, 9), {255, 9}},
        RowCase{"Run267SplitsAt255", repeat(267, 255), {255, 255, 12, 255}},
        RowCase{"Run510IsTwoFullCodes", repeat(510, 1), {255, 1, 255, 1}},
        RowCase{"LoneSingleIsEncodedRunOfOne", {5}, {1, 5}},
        RowCase{"StretchOfTwoEqualPixelsAfterSingle", {5, 6, 6, 9, 9, 9, 9},
                // 5 opens a stretch that takes in 6 6 (3 pixels: ones), then a run of four
                {1, 5, 1, 6, 1, 6, 4, 9}},
        RowCase{"StretchOfThree", {1, 2, 3}, {1, 1, 1, 2, 1, 3}},
        RowCase{"StretchOfFourIsAbsolute", {1, 2, 3, 4}, {0, 4, 1, 2, 3, 4}},
        RowCase{"OddStretchEndsWithEncodedOne", {1, 2, 3, 4, 5}, {0, 4, 1, 2, 3, 4, 1, 5}},
        RowCase{"StretchTakesInRunsUpToThree",
                {1, 2, 2, 3, 3, 3, 4, 5, 5, 5, 5},
                {0, 6, 1, 2, 2, 3, 3, 3, 1, 4, 4, 5}},
        RowCase{"RunOfFourEndsStretchAndIsEncoded",
                {8, 9, 9, 9, 9, 9},
                {1, 8, 5, 9}},
        RowCase{"RunsBeforeASingleStayEncoded",
                {3, 3, 3, 4, 5, 6, 7},
                {3, 3, 0, 4, 4, 5, 6, 7}},
        RowCase{"LongStretchSplitsIntoEvenAbsoluteRuns",
                [] {
                  Bytes r;
                  for (int i = 0; i < 257; ++i) r.push_back(std::uint8_t(i % 2));
                  return r;
                }(),
                [] {
                  Bytes r{0, 254};
                  for (int i = 0; i < 254; ++i) r.push_back(std::uint8_t(i % 2));
                  r.insert(r.end(), {1, 0, 1, 1, 1, 0});  // 254, 255, 256: ones
                  return r;
                }()},
        RowCase{"Whole600PixelRow",
                join({repeat(4, 255), {0, 3, 0, 3}, repeat(589, 255), {224, 28, 3}}),
                join({{4, 255, 0, 4, 0, 3, 0, 3}, {255, 255, 255, 255, 79, 255},
                      {1, 224, 1, 28, 1, 3}})}),
    [](const auto& info) { return info.param.name; });

TEST(EncodePicture, RowsBottomUpWithEndCodes) {
  // Three rows of width 4: top 1 1 1 1, middle 1 2 3 4, bottom 7 7 7 7.
  const Bytes pixels{1, 1, 1, 1, 1, 2, 3, 4, 7, 7, 7, 7};
  Bytes out;
  encode_rle8(pixels, 4, out);
  EXPECT_EQ(out, (Bytes{4, 7, 0, 0, 0, 4, 1, 2, 3, 4, 0, 0, 4, 1, 0, 1}));
}

}  // namespace
}  // namespace frames
