// Every outline of the drawing is smooth: where two of its pieces meet they share a point
// and a tangent, and no piece turns sharply between two of its own points.
#include "frames/outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "frames/outline_pixels.h"
#include "frames/part_outlines.h"
#include "frames/track.h"

namespace frames {
namespace {

constexpr double kMostTurn = 10;   // degrees: what still reads as smooth
constexpr double kMostGap = 0.05;  // pixels between the end of a piece and the next start

double angle_between(Point a, Point b) {
  const double c = dot(unit(a), unit(b));
  return std::acos(std::clamp(c, -1.0, 1.0)) * 180 / std::numbers::pi;
}

struct Corner {
  double angle = 0;
  Point at;
};

// The sharpest turn of a closed outline, at its joins and between the points of its pieces.
Corner sharpest(const Outline& outline) {
  Corner worst;
  auto consider = [&](double angle, Point at) {
    if (angle > worst.angle) worst = {angle, at};
  };
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const Piece& here = outline[i];
    const Piece& next = outline[(i + 1) % outline.size()];
    EXPECT_LE(distance(end_point(here), start_point(next)), kMostGap) << "after piece " << i;
    consider(angle_between(end_tangent(here), start_tangent(next)), end_point(here));
    const std::vector<Point> p = samples(here, 0.25);
    consider(angle_between(start_tangent(here), p[1] - p[0]), p[0]);
    consider(angle_between(p[p.size() - 1] - p[p.size() - 2], end_tangent(here)), p.back());
    for (std::size_t k = 1; k + 1 < p.size(); ++k)
      if (distance(p[k - 1], p[k]) > 1e-6 && distance(p[k], p[k + 1]) > 1e-6)
        consider(angle_between(p[k] - p[k - 1], p[k + 1] - p[k]), p[k]);
  }
  return worst;
}

struct Case {
  std::string name;
  Outline outline;
};

// Every rocker, rod and link of every frame: two round ends, a rim, a side, a rim, a side.
std::vector<Case> part_outlines() {
  std::vector<Case> cases;
  for (int set = 0; set < kSetCount; ++set)
    for (int p = 0; p < kPositionsPerSet; ++p) {
      const FrameGeometry g = frame_geometry(set, p);
      for (Side side : {kLeft, kRight}) {
        const SideGeometry& s = g.sides[side];
        const std::string where = " set " + std::to_string(set) + " pos " + std::to_string(p) +
                                  " side " + std::to_string(side);
        cases.push_back(
            {"rocker" + where, rocker_outline(s.fulcrum, kRockerFulcrumEnd, s.eye, kRockerEyeEnd)});
        cases.push_back(
            {"rod" + where, rod_outline(g.eccentric, kBigEndRadius, s.rod_pin, kSmallEndRadius)});
        cases.push_back({"connecting link" + where,
                         link_outline(s.rod_pin, kLinkEyeRadius, s.eye, kRockerEyeEnd)});
        cases.push_back({"valve link" + where,
                         link_outline(s.eye, kRockerEyeEnd, s.valve_pin, kValveLinkPinEnd)});
      }
    }
  return cases;
}

std::vector<Case> all_outlines() {
  std::vector<Case> cases;
  for (int set : {0, 2})
    for (Side side : {kLeft, kRight})
      cases.push_back({"track set " + std::to_string(set) + " side " + std::to_string(side),
                       track_pieces(side, set)});
  for (Case& c : part_outlines()) cases.push_back(std::move(c));
  return cases;
}

TEST(Outlines, PiecesMeetWithACommonTangentAndNothingTurnsSharply) {
  Corner worst;
  for (const Case& c : all_outlines()) {
    SCOPED_TRACE(c.name);
    const Corner corner = sharpest(c.outline);
    EXPECT_LE(corner.angle, kMostTurn) << "at " << corner.at.x << "," << corner.at.y;
    worst = std::max(worst, corner, [](Corner a, Corner b) { return a.angle < b.angle; });
  }
  std::printf("sharpest turn: %.1f degrees at %.1f,%.1f\n", worst.angle, worst.at.x, worst.at.y);
}

// Traced paths are one pixel thin and unbroken, however their points are spaced.
TEST(Outlines, TracedPathsAreThinAndConnected) {
  for (double step : {0.05, 0.5, 3.0}) {
    SCOPED_TRACE(step);
    std::vector<Point> points;
    for (double a = 0; a <= 90; a += step) {
      const double r = a * std::numbers::pi / 180;
      points.push_back({100 + 40 * std::cos(r), 100 - 40 * std::sin(r)});
    }
    const std::vector<Pixel> px = trace(points);
    ASSERT_GE(px.size(), 3u);
    EXPECT_EQ(px.front(), (Pixel{140, 100}));
    EXPECT_EQ(px.back(), (Pixel{100, 60}));
    for (std::size_t i = 1; i < px.size(); ++i) {
      EXPECT_LE(std::max(std::abs(px[i].x - px[i - 1].x), std::abs(px[i].y - px[i - 1].y)), 1)
          << i;
      EXPECT_FALSE(px[i] == px[i - 1]) << i;
      if (i >= 2) {
        EXPECT_GT(std::max(std::abs(px[i].x - px[i - 2].x), std::abs(px[i].y - px[i - 2].y)), 1)
            << "corner pixel at " << px[i - 1].x << "," << px[i - 1].y;
      }
    }
  }
}

bool on(const std::vector<Pixel>& ring, Pixel p) {
  return std::find(ring.begin(), ring.end(), p) != ring.end();
}

bool beside(const std::vector<Pixel>& ring, Pixel p) {
  return !on(ring, p) &&
         std::any_of(ring.begin(), ring.end(), [&](Pixel q) { return touching(p, q); });
}

// As pixels, an outline of two round ends is one closed chain, one pixel thin, that never
// crosses itself. Its rims are the rings drawn about its ends: beside each ring lie at most
// the two pixels with which each side leaves it.
TEST(Outlines, RimmedOutlinesAreClosedThinChainsOnTheirRings) {
  for (const Case& c : part_outlines()) {
    SCOPED_TRACE(c.name);
    const std::vector<Pixel> chain = rimmed_outline_pixels(c.outline);
    const std::size_t n = chain.size();
    ASSERT_GE(n, 8u);
    for (std::size_t i = 0; i < n; ++i) {
      const Pixel before = chain[(i + n - 1) % n], here = chain[i], after = chain[(i + 1) % n];
      EXPECT_TRUE(touching(here, after) && here != after)
          << "gap after " << here.x << "," << here.y;
      EXPECT_FALSE(touching(before, after)) << "corner or spike at " << here.x << "," << here.y;
      EXPECT_EQ(std::count(chain.begin(), chain.end(), here), 1) << here.x << "," << here.y;
    }
    for (std::size_t rim : {0u, 2u}) {
      const Arc& arc = std::get<Arc>(c.outline[rim]);
      const std::vector<Pixel> ring = circle_pixels(arc.centre, arc.radius);
      const auto off_ring = std::count_if(chain.begin(), chain.end(),
                                          [&](Pixel p) { return beside(ring, p); });
      EXPECT_LE(off_ring, 4) << "pixels beside the rim about " << arc.centre.x << ","
                             << arc.centre.y;
    }
  }
}

}  // namespace
}  // namespace frames
