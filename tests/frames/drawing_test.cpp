#include "frames/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "frames/geometry.h"
#include "frames/part_outlines.h"

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

// Zoomed in, every outline is closed, one pixel wide and smooth. Three faults show there: a
// break, an end of a line where nothing meets it; a stray, a lone pixel of one line sticking
// out beside another element's rim where the two lie on one circle; a dent, a line stepping
// out and back by one pixel.
class ZoomedFrame : public testing::TestWithParam<int> {};

const std::set<int> kOutlineColours{kBlue, kGreen, kCyan, kRed, kMagenta};
constexpr int kAboveTheValves = 440;  // lower down, heads and their marks end freely

int colour_at(const Canvas& c, int x, int y) {
  const bool on = x >= 0 && y >= 0 && x < kFrameWidth && y < kFrameHeight;
  return on ? int{c.at(x, y)} : int{kWhite};
}

// The offsets around a pixel within `reach` (a square), not the pixel itself.
std::vector<Pixel> around(int reach) {
  std::vector<Pixel> out;
  for (int dy = -reach; dy <= reach; ++dy)
    for (int dx = -reach; dx <= reach; ++dx)
      if (dx != 0 || dy != 0) out.push_back({dx, dy});
  return out;
}

// Pixels that two outlines share as their rims: each link's end about Q and the rocker's
// outer arc there, the connecting link's end about P and the ring drawn there, the two
// rods' big ends.
std::set<std::pair<int, int>> shared_rims(const FrameGeometry& g) {
  std::vector<Pixel> rims = circle_pixels(g.eccentric, kBigEndRadius);
  for (const SideGeometry& s : g.sides)
    for (const std::vector<Pixel>& ring :
         {circle_pixels(s.eye, kRockerEyeEnd), circle_pixels(s.rod_pin, kLinkEyeRadius)})
      rims.insert(rims.end(), ring.begin(), ring.end());
  std::set<std::pair<int, int>> out;
  for (Pixel p : rims) out.insert({p.x, p.y});
  return out;
}

// Whether a pixel whose only neighbours of its own colour lie at these offsets sits in a
// dent: they are two apart in a row or a column, and the pixel beside the straight between.
bool dent(const std::vector<Pixel>& own) {
  if (own.size() != 2) return false;
  const Pixel a = own[0], b = own[1];
  return (a.y == b.y && a.y != 0 && std::abs(a.x - b.x) == 2) ||
         (a.x == b.x && a.x != 0 && std::abs(a.y - b.y) == 2);
}

TEST_P(ZoomedFrame, OutlinesAreClosedAndSmoothWithNoStrayPixelBesideASharedRim) {
  const int set = GetParam() / kPositionsPerSet, position = GetParam() % kPositionsPerSet;
  const Canvas c = draw_frame(set, position);
  const std::set<std::pair<int, int>> rims = shared_rims(frame_geometry(set, position));
  std::ostringstream breaks, strays, dents;  // " x,y" for each pixel at fault
  for (int y = 0; y < kFrameHeight; ++y)
    for (int x = 0; x < kFrameWidth; ++x) {
      const int colour = c.at(x, y);
      if (kOutlineColours.count(colour) == 0) continue;
      std::vector<Pixel> own;
      int beside_rim = 0, beside_other = 0, others_near = 0;
      for (Pixel d : around(1)) {
        const int near = colour_at(c, x + d.x, y + d.y);
        if (near == colour) own.push_back(d);
        else if (near != kWhite) (rims.count({x + d.x, y + d.y}) ? beside_rim : beside_other)++;
      }
      for (Pixel d : around(2)) {
        const int near = colour_at(c, x + d.x, y + d.y);
        others_near += near != colour && near != kWhite;
      }
      if (y <= kAboveTheValves && own.size() <= 1 && others_near == 0) breaks << ' ' << x << ',' << y;
      // A lone pixel that touches nothing but a shared rim sticks out of it; one that
      // touches another line as well lies where lines cross.
      if (own.empty() && beside_rim > 0 && beside_other == 0) strays << ' ' << x << ',' << y;
      if (dent(own)) dents << ' ' << x << ',' << y;
    }
  EXPECT_EQ(breaks.str(), "") << "ends of outlines that touch nothing";
  EXPECT_EQ(strays.str(), "") << "lone pixels beside a shared rim, and nothing else";
  EXPECT_EQ(dents.str(), "") << "lines that step out and back";
}

INSTANTIATE_TEST_SUITE_P(AllFrames, ZoomedFrame, testing::Range(0, kFrameCount),
                         [](const testing::TestParamInfo<int>& info) {
                           return holder_name(info.param + 1);
                         });

}  // namespace
}  // namespace frames
