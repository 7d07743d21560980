#include "frames/part_outlines.h"

#include <cmath>

namespace frames {
namespace {

// The rocker's necks: the radius of the arcs that round them; with the rocker's ends this
// leaves the fulcrum's rim about 50 degrees off the line of centres.
constexpr double kNeckRadius = 30;
// The rods' side curves leave both rims this far off the line of centres, a little inside
// the touching angle (about 80 degrees).
constexpr double kRodLeave = 68;

// The closed chain about two ends, given its two sides, each running from a's rim to b's.
Outline closed(Point a, double ra, Point b, double rb, Piece one, Piece other) {
  return {arc_between(a, ra, start_point(other), start_point(one), a - b), one,
          arc_between(b, rb, end_point(one), end_point(other), b - a), reversed(other)};
}

}  // namespace

Outline link_outline(Point a, double ra, Point b, double rb) {
  const Point d = unit(b - a), n = quarter_turn_clockwise(d);
  const double along = (ra - rb) / distance(a, b);  // cosine of the touching angle
  const double across = clamped_sqrt(1 - along * along);
  auto side = [&](double sign) {
    const Point r = along * d + sign * across * n;  // the radius to both touching points
    return line_path(a + ra * r, b + rb * r);
  };
  return closed(a, ra, b, rb, side(1), side(-1));
}

Outline rocker_outline(Point a, double ra, Point b, double rb) {
  // The neck's centre lies ra + R from a and rb + R from b, off the line of centres.
  const double d = distance(a, b), la = ra + kNeckRadius, lb = rb + kNeckRadius;
  const double along = (la * la - lb * lb + d * d) / (2 * d);
  const double across = clamped_sqrt(la * la - along * along);
  const Point u = unit(b - a), n = quarter_turn_clockwise(u), middle = 0.5 * (a + b);
  auto neck = [&](double sign) {
    const Point c = a + along * u + sign * across * n;
    return arc_between(c, kNeckRadius, a + ra * unit(c - a), b + rb * unit(c - b), middle - c);
  };
  return closed(a, ra, b, rb, neck(1), neck(-1));
}

Outline rod_outline(Point a, double ra, Point b, double rb) {
  const Point d = unit(b - a), n = quarter_turn_clockwise(d);
  const double c = std::cos(kRodLeave * kDegree), s = std::sin(kRodLeave * kDegree);
  auto side = [&](double sign) {
    const Point pa = a + ra * (c * d + sign * s * n);
    const Point pb = b + rb * (-c * d + sign * s * n);
    const Point ta = s * d - sign * c * n, tb = s * d + sign * c * n;  // along the rims
    const double arm = distance(pa, pb) / 3;
    return cubic_path(pa, pa + arm * ta, pb - arm * tb, pb);
  };
  return closed(a, ra, b, rb, side(1), side(-1));
}

}  // namespace frames
