#include "frames/geometry.h"

#include <cassert>
#include <cmath>
#include <numbers>

namespace frames {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
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
using PinRow = std::array<Point, kPositionCount>;
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

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }

// Angle of `p` about Q0 on the untuned track: from straight up, positive towards the shaft.
double track_angle(Side side, int set, Point p) {
  const SideAnchors& a = kAnchors[side];
  const Point d = p - a.eye_closed;
  return std::atan2(a.towards_shaft * d.x, -d.y) / kDegree - track_turn(side, set);
}

// Of the two points `ra` from `a` and `rb` from `b`, the one nearer `near`.
Point circle_meet(Point a, double ra, Point b, double rb, Point near) {
  const double d = distance(a, b);
  const Point u = (1 / d) * (b - a);
  const double along = (ra * ra - rb * rb + d * d) / (2 * d);
  const double across = std::sqrt(std::fmax(ra * ra - along * along, 0));
  const Point foot = a + along * u;
  const Point n{-u.y, u.x};
  const Point p1 = foot + across * n, p2 = foot - across * n;
  return distance(p1, near) <= distance(p2, near) ? p1 : p2;
}

// Travel t >= 0 with |V0 + t*axis - Q| = valve link: the root nearer V0 of
// t^2 + 2t(d.axis) + |d|^2 - L^2 = 0, d = V0 - Q. At Q0 that root is -0.57, so rest is 0.
double valve_travel(const SideAnchors& a, Point eye) {
  const Point d = a.valve_closed - eye;
  const double b = dot(d, a.valve_axis);
  const double c = dot(d, d) - kValveLinkLength * kValveLinkLength;
  return std::fmax(-b + std::sqrt(std::fmax(b * b - c, 0)), 0);
}

}  // namespace

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

const SideAnchors& anchors(Side side) { return kAnchors[side]; }

double track_turn(Side side, int set) {
  if (set != 2) return 0;
  return side == kLeft ? kSet2TurnLeft : kSet2TurnRight;
}

double centre_line_radius(double angle) {
  // Monotone cubic (Fritsch-Carlson) through the stated radii: it meets every one of them,
  // never overshoots, and leaves the dwell arc without a kink, so the walls offset from it
  // stay smooth.
  static const std::array<double, kCentreLine.size()> slopes = [] {
    constexpr std::size_t n = kCentreLine.size();
    std::array<double, n> secant{}, m{};
    for (std::size_t i = 0; i + 1 < n; ++i)
      secant[i] = (kCentreLine[i + 1].radius - kCentreLine[i].radius) /
                  (kCentreLine[i + 1].angle - kCentreLine[i].angle);
    m[0] = secant[0];
    m[n - 1] = secant[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i) {
      if (secant[i - 1] * secant[i] <= 0) continue;
      const double h0 = kCentreLine[i].angle - kCentreLine[i - 1].angle;
      const double h1 = kCentreLine[i + 1].angle - kCentreLine[i].angle;
      const double w0 = 2 * h1 + h0, w1 = h1 + 2 * h0;
      m[i] = (w0 + w1) / (w0 / secant[i - 1] + w1 / secant[i]);
    }
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

FrameGeometry frame_geometry(int set, int position) {
  assert(set >= 0 && set < kSetCount && position >= 0 && position < kPositionCount);
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
    s.rod_pin = pins[position];
    // On the dwell arc the link holds the eye at rest; on the ramp it swings the rocker.
    s.eye = track_angle(side, set, s.rod_pin) <= kDwellEndAngle
                ? a.eye_closed
                : circle_meet(s.fulcrum, kRockerArm, s.rod_pin, kConnectingLinkLength,
                              a.eye_closed);
    s.travel = valve_travel(a, s.eye);
    s.valve_pin = a.valve_closed + s.travel * a.valve_axis;
    s.head_centre = s.valve_pin + kStemLength * a.valve_axis;
  }
  return g;
}

}  // namespace frames
