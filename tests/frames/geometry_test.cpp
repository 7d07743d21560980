#include "frames/geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace frames {
namespace {

using Row = std::array<std::array<int, 2>, 18>;

// The recorded drawing, to the nearest pixel.
constexpr Row kEccentric{{{239, 159}, {236, 174}, {238, 190}, {245, 203}, {257, 214},
                          {271, 220}, {287, 221}, {302, 216}, {314, 206}, {323, 193},
                          {326, 178}, {324, 162}, {317, 149}, {305, 138}, {291, 132},
                          {275, 131}, {260, 136}, {248, 146}}};
constexpr Row kLeftPin{{{89, 96}, {93, 96}, {105, 96}, {121, 97}, {139, 102}, {152, 109},
                        {156, 124}, {160, 136}, {165, 142}, {167, 145}, {167, 145},
                        {162, 140}, {156, 123}, {146, 104}, {131, 99}, {116, 97}, {102, 96},
                        {93, 96}}};
constexpr Row kLeftPin2{{{89, 96}, {93, 96}, {105, 96}, {121, 97}, {139, 102}, {154, 107},
                         {165, 113}, {172, 118}, {175, 122}, {175, 124}, {174, 120},
                         {167, 114}, {159, 110}, {146, 104}, {131, 100}, {116, 97},
                         {102, 96}, {93, 96}}};
constexpr Row kRightPin{{{401, 138}, {396, 144}, {394, 145}, {396, 143}, {401, 138},
                         {405, 128}, {409, 112}, {419, 103}, {436, 98}, {453, 96},
                         {467, 96}, {472, 96}, {471, 96}, {462, 96}, {449, 96}, {434, 99},
                         {419, 103}, {408, 117}}};
constexpr Row kRightPin2{{{396, 113}, {389, 120}, {387, 125}, {388, 125}, {390, 120},
                          {395, 114}, {405, 109}, {419, 103}, {436, 98}, {453, 96},
                          {467, 96}, {472, 96}, {472, 96}, {462, 96}, {449, 96}, {434, 99},
                          {419, 103}, {406, 108}}};
constexpr std::array<std::array<std::array<int, 18>, 2>, 3> kTravel{{
    {{{0, 0, 0, 0, 0, 4, 17, 32, 41, 45, 44, 39, 17, 0, 0, 0, 0, 0},
      {36, 44, 48, 39, 35, 22, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10}}},
    {{{0, 0, 0, 0, 0, 2, 10, 17, 20, 21, 21, 19, 8, 0, 0, 0, 0, 0},
      {19, 21, 21, 21, 18, 12, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}}},
    {{{0, 0, 0, 0, 0, 0, 0, 1, 4, 4, 2, 0, 0, 0, 0, 0, 0, 0},
      {0, 3, 8, 7, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
}};

Point at(const Row& row, int p) { return {double(row[p][0]), double(row[p][1])}; }

const Row& pin_row(int set, Side side) {
  if (side == kLeft) return set == 2 ? kLeftPin2 : kLeftPin;
  return set == 2 ? kRightPin2 : kRightPin;
}

// Where each valve is open, per set: sets 0 and 1 share their timing.
struct Opening {
  int first, last;  // positions, counted on round the turn
};
constexpr std::array<std::array<Opening, 2>, 3> kOpen{{
    {{{5, 12}, {17, 6}}}, {{{5, 12}, {17, 6}}}, {{{7, 10}, {1, 4}}}}};

bool is_open(int set, Side side, int p) {
  const Opening o = kOpen[set][side];
  return (p - o.first + kPositionsPerSet) % kPositionsPerSet <=
         (o.last - o.first + kPositionsPerSet) % kPositionsPerSet;
}

// The closed valve pin and the far point of its axis, as recorded.
constexpr std::array<std::array<Point, 2>, 2> kValveAxis{{{{{120, 291}, {221, 481}}},
                                                          {{{441, 291}, {341, 481}}}}};

Point travelled(Side side, double t) {
  const auto [from, to] = kValveAxis[side];
  const double k = t / distance(from, to);
  return {from.x + k * (to.x - from.x), from.y + k * (to.y - from.y)};
}

TEST(Geometry, EccentricFollowsTheShaftTurnAndIsTheSameInEverySet) {
  for (int p = 0; p < kPositionsPerSet; ++p) {
    SCOPED_TRACE(p);
    const Point e = frame_geometry(0, p).eccentric;
    EXPECT_NEAR(e.x, kEccentric[p][0], 0.5);
    EXPECT_NEAR(e.y, kEccentric[p][1], 0.5);
    EXPECT_NEAR(distance(e, kShaftAxis), 45, 1e-9);
    for (int set : {1, 2}) {
      EXPECT_EQ(frame_geometry(set, p).eccentric.x, e.x);
      EXPECT_EQ(frame_geometry(set, p).eccentric.y, e.y);
    }
    // Position 17 -> 0 is a 20-degree step like all the others.
    const Point next = frame_geometry(0, (p + 1) % kPositionsPerSet).eccentric;
    EXPECT_NEAR(distance(e, next), 2 * 45 * std::sin(10 * std::numbers::pi / 180), 1e-9);
  }
}

TEST(Geometry, RodPinsMatchTheRecordAndLieOnTheirTracks) {
  for (int set = 0; set < kSetCount; ++set)
    for (Side side : {kLeft, kRight})
      for (int p = 0; p < kPositionsPerSet; ++p) {
        SCOPED_TRACE(testing::Message() << "set " << set << " side " << side << " pos " << p);
        const FrameGeometry g = frame_geometry(set, p);
        const Point pin = g.sides[side].rod_pin;
        EXPECT_LE(distance(pin, at(pin_row(set, side), p)), 1);
        EXPECT_NEAR(distance(pin, g.eccentric), kRodLength, 2.5);
        // Nearest point of the centre line as drawn in this set.
        double nearest = 1e9;
        for (double a = kTrackFirstAngle; a <= kTrackLastAngle; a += 0.05)
          nearest = std::fmin(nearest, distance(pin, centre_line_point(side, set, a)));
        EXPECT_LE(nearest, 1.0);
      }
}

TEST(Geometry, ValvesFollowTheTravelTableAndLinksKeepTheirLengths) {
  for (int set = 0; set < kSetCount; ++set)
    for (Side side : {kLeft, kRight})
      for (int p = 0; p < kPositionsPerSet; ++p) {
        SCOPED_TRACE(testing::Message() << "set " << set << " side " << side << " pos " << p);
        const SideGeometry s = frame_geometry(set, p).sides[side];
        const int t = kTravel[set][side][p];
        EXPECT_LE(distance(s.valve_pin, travelled(side, t)), 1);
        EXPECT_EQ(s.travel > 0, is_open(set, side, p));
        const SideAnchors& a = anchors(side);
        if (s.travel > 0) {
          EXPECT_NEAR(distance(s.eye, s.fulcrum), kRockerArm, 1e-6);
          EXPECT_NEAR(distance(s.eye, s.valve_pin), kValveLinkLength, 1e-6);
        } else {
          EXPECT_EQ(s.eye.x, a.eye_closed.x);
          EXPECT_EQ(s.eye.y, a.eye_closed.y);
        }
        // The connecting link spans what the table leaves, close to its length at rest.
        EXPECT_NEAR(distance(s.eye, s.rod_pin), kConnectingLinkLength, 3.5);
        EXPECT_NEAR(distance(s.valve_pin, a.valve_closed), s.travel, 1e-9);
        EXPECT_NEAR(distance(s.head_centre, s.valve_pin), kStemLength, 1e-9);
      }
}

TEST(Geometry, NamedFrames) {
  const FrameGeometry first = frame_geometry(0, 0);  // Image1
  EXPECT_EQ(first.sides[kRight].travel, 36);
  EXPECT_EQ(first.sides[kLeft].travel, 0);
  const FrameGeometry tenth = frame_geometry(0, 9);  // Image10
  EXPECT_EQ(tenth.sides[kLeft].travel, 45);
  // The two places where the drawing keeps the table against the stated link length.
  EXPECT_EQ(frame_geometry(0, 2).sides[kRight].travel, 48);
  EXPECT_EQ(frame_geometry(0, 3).sides[kRight].travel, 39);
  EXPECT_EQ(tenth.sides[kRight].travel, 0);
  const FrameGeometry last = frame_geometry(2, 17);  // Image54
  EXPECT_EQ(last.sides[kLeft].travel, 0);
  EXPECT_EQ(last.sides[kRight].travel, 0);
}

TEST(Geometry, BothValvesRestAtPositions13To16) {
  for (int set = 0; set < kSetCount; ++set)
    for (int p = 13; p <= 16; ++p)
      for (Side side : {kLeft, kRight}) {
        SCOPED_TRACE(testing::Message() << "set " << set << " side " << side << " pos " << p);
        const SideGeometry s = frame_geometry(set, p).sides[side];
        const SideAnchors& a = anchors(side);
        EXPECT_EQ(s.travel, 0);
        EXPECT_EQ(s.eye.x, a.eye_closed.x);
        EXPECT_EQ(s.eye.y, a.eye_closed.y);
        EXPECT_EQ(s.valve_pin.x, a.valve_closed.x);
        EXPECT_EQ(s.valve_pin.y, a.valve_closed.y);
      }
}

TEST(Geometry, ClosedHeadsLieOnTheirRestingLines) {
  const FrameGeometry g = frame_geometry(0, 14);
  struct Case {
    Side side;
    Point end1, end2;
  };
  for (const Case& c : {Case{kLeft, {167, 509}, {275, 452}}, Case{kRight, {287, 452}, {395, 509}}}) {
    const Point centre = g.sides[c.side].head_centre;
    const Point axis = anchors(c.side).head_axis;
    const Point e1{centre.x - 61 * axis.x, centre.y - 61 * axis.y};
    const Point e2{centre.x + 61 * axis.x, centre.y + 61 * axis.y};
    EXPECT_LE(std::fmin(distance(e1, c.end1) + distance(e2, c.end2),
                        distance(e1, c.end2) + distance(e2, c.end1)),
              2.0);
  }
}

TEST(Geometry, CentreLineMeetsItsStatedRadii) {
  struct Stop {
    double angle, radius;
  };
  for (Stop s : {Stop{-21, 135}, Stop{0, 135}, Stop{21, 135}, Stop{22, 134}, Stop{24, 131},
                 Stop{26, 127}, Stop{28, 122}, Stop{30, 118}, Stop{32, 114}, Stop{34, 113},
                 Stop{36, 112}, Stop{38, 111}, Stop{38.5, 110}})
    EXPECT_NEAR(centre_line_radius(s.angle), s.radius, 1e-9) << s.angle;
  // Falling all along the ramp, never below its end.
  for (double a = 21; a < 38.5; a += 0.1)
    EXPECT_GE(centre_line_radius(a), centre_line_radius(a + 0.1));
  // Ends as stated, and the set-2 track turned about Q0 by the stated angles.
  const Point left_start = centre_line_point(kLeft, 0, -21);
  EXPECT_NEAR(left_start.x, 50, 1);
  EXPECT_NEAR(left_start.y, 105, 1);
  const Point right_end = centre_line_point(kRight, 0, 38.5);
  EXPECT_NEAR(right_end.x, 394, 1);
  EXPECT_NEAR(right_end.y, 145, 1);
  const Point turned = centre_line_point(kLeft, 2, -12);  // straight up from Q0 when turned
  EXPECT_NEAR(turned.x, 99, 1e-9);
  EXPECT_NEAR(turned.y, 231 - 135, 1e-9);
}

}  // namespace
}  // namespace frames
