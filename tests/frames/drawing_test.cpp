#include "frames/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "frames/geometry.h"

namespace frames {
namespace {

const std::set<int> kColours{kWhite, kBlack, kBlue, kGreen, kCyan, kRed, kMagenta};

TEST(Drawing, OnlySevenColoursAndNothingOutsideTheDrawnArea) {
  for (int set = 0; set < kSetCount; ++set)
    for (int p = 0; p < kPositionsPerSet; ++p) {
      SCOPED_TRACE(testing::Message() << "set " << set << " pos " << p);
      const Canvas c = draw_frame(set, p);
      int foreign = 0, outside = 0;
      std::set<int> used;
      for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x) {
          const int v = c.at(x, y);
          used.insert(v);
          foreign += kColours.count(v) == 0;
          const bool inside = x >= kDrawnLeft && x <= kDrawnRight && y >= kDrawnTop &&
                              y <= kDrawnBottom;
          outside += !inside && v != kWhite;
        }
      EXPECT_EQ(foreign, 0);
      EXPECT_EQ(outside, 0);
      EXPECT_EQ(used, kColours) << "every colour appears in every frame";
    }
}

TEST(Drawing, FixedMarksAndCornersAreWhereStated) {
  const Canvas c = draw_frame(1, 5);
  for (auto [x, y] : {std::pair{167, 509}, {169, 508}, {274, 452}, {289, 453}, {395, 509}})
    EXPECT_EQ(c.at(x, y), kRed) << x << "," << y;
  for (auto [x, y] : {std::pair{4, 42}, {564, 42}, {4, 506}, {564, 506}, {266, 176},
                      {296, 176}, {281, 161}, {281, 190}})
    EXPECT_EQ(c.at(x, y), kBlack) << x << "," << y;
}

// Pixels of the mechanism that differ between two frames.
int differing(const Canvas& a, const Canvas& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
  return n;
}

TEST(Drawing, RestingPositionsDrawTheValvesAlike) {
  // Between two positions with both valves closed only the eccentric, rods and pins move:
  // the lower half (valve stems and heads) is the same.
  const Canvas a = draw_frame(0, 13), b = draw_frame(0, 15);
  for (int y = 330; y < kFrameHeight; ++y)
    for (int x = 0; x < kFrameWidth; ++x) ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << "," << y;
  EXPECT_GT(differing(a, b), 100);
}

// Whether there is black next to each point of the head line about `centre`, off the axis
// (62 points).
int black_along_head(const Canvas& c, Point centre, Point along) {
  int found = 0;
  for (int k = 10; k <= 40; ++k)  // clear of the frame rectangle
    for (int sign : {-1, 1}) {
      const int x = int(std::lround(centre.x + sign * k * along.x));
      const int y = int(std::lround(centre.y + sign * k * along.y));
      bool black = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) black = black || c.at(x + dx, y + dy) == kBlack;
      found += black;
    }
  return found;
}

TEST(Drawing, OpenValveMovesItsHeadDownTheAxis) {
  // Frame 9: the left valve open by about 45, its head gone from its resting line.
  const Canvas open = draw_frame(0, 9), closed = draw_frame(0, 14);
  const Point rest = frame_geometry(0, 14).sides[kLeft].head_centre;
  const Point moved = frame_geometry(0, 9).sides[kLeft].head_centre;
  const Point along = anchors(kLeft).head_axis;
  EXPECT_EQ(black_along_head(closed, rest, along), 62);
  EXPECT_EQ(black_along_head(open, rest, along), 0);
  EXPECT_EQ(black_along_head(open, moved, along), 62);
}

}  // namespace
}  // namespace frames
