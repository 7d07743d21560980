#include "frames/track.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace frames {
namespace {

struct Span {
  int set;
  Side side;
  int left, right, top, bottom;
};

// As recorded for the drawing; the right track mirrors the left about x = 281.
constexpr Span kSpans[] = {
    {0, kLeft, 16, 202, 61, 173},  {0, kRight, 360, 545, 61, 173},
    {1, kLeft, 16, 202, 61, 173},  {1, kRight, 360, 545, 61, 173},
    {2, kLeft, 43, 218, 61, 192},  {2, kRight, 345, 521, 61, 190},
};

TEST(Track, OutlinesReachTheirSpans) {
  for (const Span& s : kSpans) {
    SCOPED_TRACE(testing::Message() << "set " << s.set << " side " << s.side);
    const std::vector<Pixel>& outline = track_outline(s.side, s.set);
    ASSERT_FALSE(outline.empty());
    auto [left, right] = std::minmax_element(outline.begin(), outline.end(),
                                             [](Pixel a, Pixel b) { return a.x < b.x; });
    auto [top, bottom] = std::minmax_element(outline.begin(), outline.end(),
                                             [](Pixel a, Pixel b) { return a.y < b.y; });
    EXPECT_NEAR(left->x, s.left, 2);
    EXPECT_NEAR(right->x, s.right, 2);
    EXPECT_NEAR(top->y, s.top, 2);
    EXPECT_NEAR(bottom->y, s.bottom, 2);
  }
}

TEST(Track, WallsAlongTheDwellArcLieAtTheirRadii) {
  for (int set : {0, 2})
    for (Side side : {kLeft, kRight}) {
      SCOPED_TRACE(testing::Message() << "set " << set << " side " << side);
      const Point q0 = anchors(side).eye_closed;
      int inner = 0, outer = 0;
      for (Pixel p : track_outline(side, set)) {
        const double dx = p.x - q0.x, dy = p.y - q0.y;
        const double angle =
            std::atan2(anchors(side).towards_shaft * dx, -dy) * 180 / std::numbers::pi -
            track_turn(side, set);
        if (std::fabs(angle) > 15) continue;
        const double r = std::hypot(dx, dy);
        const bool on_inner = std::fabs(r - 117) <= 1, on_outer = r >= 168 && r <= 171;
        EXPECT_TRUE(on_inner || on_outer) << p.x << "," << p.y << " at radius " << r;
        inner += on_inner, outer += on_outer;
      }
      EXPECT_GT(inner, 50);
      EXPECT_GT(outer, 70);
    }
}

// Whether `p` lies inside the closed polygon through `ring`.
bool inside(Point p, const std::vector<Point>& ring) {
  bool in = false;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
    if ((ring[i].y > p.y) != (ring[j].y > p.y) &&
        p.x < ring[j].x + (p.y - ring[j].y) * (ring[i].x - ring[j].x) / (ring[i].y - ring[j].y))
      in = !in;
  return in;
}

double to_ring(Point p, const std::vector<Point>& ring) {
  double best = 1e9;
  for (Point q : ring) best = std::fmin(best, distance(p, q));
  return best;
}

// The small roller runs wholly inside its track; of the large roller, the half away from
// Q0 (the outer wall's side, and the cap round the tip) does too.
TEST(Track, RollersStayInsideTheirTrack) {
  for (int set = 0; set < kSetCount; ++set)
    for (Side side : {kLeft, kRight}) {
      std::vector<Point> ring;
      for (const Piece& piece : track_pieces(side, set))
        for (Point q : samples(piece, 0.25)) ring.push_back(q);
      const Point q0 = anchors(side).eye_closed;
      for (int p = 0; p < kPositionsPerSet; ++p) {
        SCOPED_TRACE(testing::Message() << "set " << set << " side " << side << " pos " << p);
        const Point pin = frame_geometry(set, p).sides[side].rod_pin;
        const Point away = unit(pin - q0);
        for (int k = 0; k < 360; k += 3) {
          const double a = k * std::numbers::pi / 180;
          const Point dir{std::cos(a), std::sin(a)};
          const Point small = pin + kSmallRollerRadius * dir;
          EXPECT_TRUE(inside(small, ring) || to_ring(small, ring) < 1) << "small roller " << k;
          if (dot(dir, away) < 0) continue;
          const Point large = pin + kLargeRollerRadius * dir;
          EXPECT_TRUE(inside(large, ring) || to_ring(large, ring) < 1) << "large roller " << k;
        }
      }
    }
}

}  // namespace
}  // namespace frames
