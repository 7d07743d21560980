#include "frames/geometry.h"

#include <cassert>
#include <cmath>

namespace frames {
namespace {

constexpr double kValveAxisAngle = 62;      // below the horizontal
constexpr double kEccentricStartAngle = 180 - 22.5;  // counter-clockwise from the right
constexpr double kPositionStep = 20;
constexpr double kSet2TurnLeft = 12, kSet2TurnRight = 10.5;

// The centre line's radius about Q0: the dwell arc, then the ramp.
struct RampPoint {
  double angle = 0, radius = 0;
};
constexpr std::array<RampPoint, 12> kCentreLine{{{kTrackFirstAngle, 135},
                                                 {kDwellEndAngle, 135},
                                                 {22, 134},
                                                 {24, 131},
                                                 {26, 127},
                                                 {28, 122},
                                                 {30, 118},
                                                 {32, 114},
                                                 {34, 113},
                                                 {36, 112},
                                                 {38, 111},
                                                 {kTrackLastAngle, 110}}};

// Rod pins as recorded for the drawing, per position; set 1 shares set 0's.
// Each lies on its track's centre line, 163 from E, to within the rounding.
using PinRow = std::array<Point, kPositionsPerSet>;
constexpr PinRow kLeftPins{{{89, 96}, {93, 96}, {105, 96}, {121, 97}, {139, 102}, {152, 109},
                            {156, 124}, {160, 136}, {165, 142}, {167, 145}, {167, 145},
                            {162, 140}, {156, 123}, {146, 104}, {131, 99}, {116, 97},
                            {102, 96}, {93, 96}}};
constexpr PinRow kLeftPinsSet2{{{89, 96}, {93, 96}, {105, 96}, {121, 97}, {139, 102},
                                {154, 107}, {165, 113}, {172, 118}, {175, 122}, {175, 124},
                                {174, 120}, {167, 114}, {159, 110}, {146, 104}, {131, 100},
                                {116, 97}, {102, 96}, {93, 96}}};
constexpr PinRow kRightPins{{{401, 138}, {396, 144}, {394, 145}, {396, 143}, {401, 138},
                             {405, 128}, {409, 112}, {419, 103}, {436, 98}, {453, 96},
                             {467, 96}, {472, 96}, {471, 96}, {462, 96}, {449, 96},
                             {434, 99}, {419, 103}, {408, 117}}};
constexpr PinRow kRightPinsSet2{{{396, 113}, {389, 120}, {387, 125}, {388, 125}, {390, 120},
                                 {395, 114}, {405, 109}, {419, 103}, {436, 98}, {453, 96},
                                 {467, 96}, {472, 96}, {472, 96}, {462, 96}, {449, 96},
                                 {434, 99}, {419, 103}, {406, 108}}};

// Valve travel down the axis from the closed position, per set, side and position.
using TravelRow = std::array<double, kPositionsPerSet>;
constexpr std::array<std::array<TravelRow, 2>, kSetCount> kTravel{{
    {{{0, 0, 0, 0, 0, 4, 17, 32, 41, 45, 44, 39, 17, 0, 0, 0, 0, 0},
      {36, 44, 48, 39, 35, 22, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10}}},
    {{{0, 0, 0, 0, 0, 2, 10, 17, 20, 21, 21, 19, 8, 0, 0, 0, 0, 0},
      {19, 21, 21, 21, 18, 12, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}}},
    {{{0, 0, 0, 0, 0, 0, 0, 1, 4, 4, 2, 0, 0, 0, 0, 0, 0, 0},
      {0, 3, 8, 7, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
}};

const std::array<SideAnchors, 2> kAnchors = [] {
  const double c = std::cos(kValveAxisAngle * kDegree), s = std::sin(kValveAxisAngle * kDegree);
  std::array<SideAnchors, 2> a{};
  a[kLeft] = {.eye_closed = {99, 231}, .valve_closed = {120, 291}, .valve_axis = {c, s},
              .head_axis = {s, -c}, .towards_shaft = 1};
  a[kRight] = {.eye_closed = {463, 231}, .valve_closed = {441, 291}, .valve_axis = {-c, s},
               .head_axis = {s, c}, .towards_shaft = -1};
  return a;
}();

// Fulcrums: sets 0 and 2 share one place; set 1's are turned 30 degrees about Q0.
constexpr std::array<std::array<Point, 2>, kSetCount> kFulcrums{
    {{{{162, 226}, {400, 226}}}, {{{156, 258}, {406, 258}}}, {{{162, 226}, {400, 226}}}}};

// Of the two points `ra` from `a` and `rb` from `b`, the one nearer `near`.
Point circle_meet(Point a, double ra, Point b, double rb, Point near) {
  const double d = distance(a, b);
  const Point u = (1 / d) * (b - a);
  const double along = (ra * ra - rb * rb + d * d) / (2 * d);
  const double across = clamped_sqrt(ra * ra - along * along);
  const Point foot = a + along * u;
  const Point n = quarter_turn_clockwise(u);
  const Point p1 = foot + across * n, p2 = foot - across * n;
  return distance(p1, near) <= distance(p2, near) ? p1 : p2;
}

}  // namespace

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

Point unit(Point v) { return (1 / std::hypot(v.x, v.y)) * v; }

const SideAnchors& anchors(Side side) { return kAnchors[side]; }

double track_turn(Side side, int set) {
  if (set != 2) return 0;
  return side == kLeft ? kSet2TurnLeft : kSet2TurnRight;
}

double centre_line_radius(double angle) {
  // Monotone cubic (Fritsch-Carlson) through the stated radii: it meets every one of them,
  // never overshoots, and leaves the dwell arc without a kink. At the inner end the slope
  // is the one that ends the last piece without curvature: a steeper or shallower one
  // would bend the line back on itself in its last half degree, where the stated radii
  // fall fastest.
  static const std::array<double, kCentreLine.size()> slopes = [] {
    constexpr std::size_t n = kCentreLine.size();
    std::array<double, n> secant{}, m{};
    for (std::size_t i = 0; i + 1 < n; ++i)
      secant[i] = (kCentreLine[i + 1].radius - kCentreLine[i].radius) /
                  (kCentreLine[i + 1].angle - kCentreLine[i].angle);
    m[0] = secant[0];
    for (std::size_t i = 1; i + 1 < n; ++i) {
      if (secant[i - 1] * secant[i] <= 0) continue;
      const double h0 = kCentreLine[i].angle - kCentreLine[i - 1].angle;
      const double h1 = kCentreLine[i + 1].angle - kCentreLine[i].angle;
      const double w0 = 2 * h1 + h0, w1 = h1 + 2 * h0;
      m[i] = (w0 + w1) / (w0 / secant[i - 1] + w1 / secant[i]);
    }
    m[n - 1] = (3 * secant[n - 2] - m[n - 2]) / 2;
    return m;
  }();
  if (angle <= kCentreLine.front().angle) return kCentreLine.front().radius;
  for (std::size_t i = 1; i < kCentreLine.size(); ++i) {
    const RampPoint lo = kCentreLine[i - 1], hi = kCentreLine[i];
    if (angle > hi.angle) continue;
    const double h = hi.angle - lo.angle, t = (angle - lo.angle) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * lo.radius + (t3 - 2 * t2 + t) * h * slopes[i - 1] +
           (-2 * t3 + 3 * t2) * hi.radius + (t3 - t2) * h * slopes[i];
  }
  return kCentreLine.back().radius;
}

Point centre_line_point(Side side, int set, double angle) {
  const SideAnchors& a = kAnchors[side];
  const double r = centre_line_radius(angle);
  const double drawn = (angle + track_turn(side, set)) * kDegree;
  return {a.eye_closed.x + a.towards_shaft * r * std::sin(drawn),
          a.eye_closed.y - r * std::cos(drawn)};
}

namespace {

// The recorded pins are rounded to whole pixels: each moves towards the nearest point of the
// centre line, by at most the rounding's reach, so the rollers keep to their walls.
Point onto_centre_line(Side side, int set, Point pin) {
  constexpr double kCoarse = 0.1, kFine = 0.002, kMostMoved = 1;
  auto gap = [&](double angle) { return distance(pin, centre_line_point(side, set, angle)); };
  double best = kTrackFirstAngle;
  for (double a = kTrackFirstAngle; a <= kTrackLastAngle; a += kCoarse)
    if (gap(a) < gap(best)) best = a;
  const double from = std::fmax(best - kCoarse, kTrackFirstAngle);
  const double to = std::fmin(best + kCoarse, kTrackLastAngle);
  for (double a = from; a <= to; a += kFine)
    if (gap(a) < gap(best)) best = a;
  const Point target = centre_line_point(side, set, best);
  const double d = gap(best);
  return d <= kMostMoved ? target : pin + (kMostMoved / d) * (target - pin);
}

}  // namespace

FrameGeometry frame_geometry(int set, int position) {
  assert(set >= 0 && set < kSetCount && position >= 0 && position < kPositionsPerSet);
  FrameGeometry g{};
  const double theta = (kEccentricStartAngle + kPositionStep * position) * kDegree;
  g.eccentric = {kShaftAxis.x + kEccentricRadius * std::cos(theta),
                 kShaftAxis.y - kEccentricRadius * std::sin(theta)};

  for (Side side : {kLeft, kRight}) {
    const SideAnchors& a = kAnchors[side];
    SideGeometry& s = g.sides[side];
    const PinRow& pins = side == kLeft ? (set == 2 ? kLeftPinsSet2 : kLeftPins)
                                       : (set == 2 ? kRightPinsSet2 : kRightPins);
    s.fulcrum = kFulcrums[set][side];
    s.rod_pin = onto_centre_line(side, set, pins[position]);
    // The valve follows its table; rocker and valve link keep their lengths, and the
    // connecting link spans whatever that leaves between P and Q.
    s.travel = kTravel[set][side][position];
    s.valve_pin = a.valve_closed + s.travel * a.valve_axis;
    s.eye = s.travel == 0 ? a.eye_closed
                          : circle_meet(s.fulcrum, kRockerArm, s.valve_pin, kValveLinkLength,
                                        a.eye_closed);
    s.head_centre = s.valve_pin + kStemLength * a.valve_axis;
  }
  return g;
}

}  // namespace frames
