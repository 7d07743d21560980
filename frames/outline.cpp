#include "frames/outline.h"

#include <cassert>
#include <cmath>

namespace frames {
namespace {

constexpr double kCurveStep = 0.5;      // pixels at most between the points of a curve
constexpr double kMostSteps = 1 << 20;  // far more than any piece of a frame takes

Point on_arc(const Arc& a, double deg) {
  return a.centre + a.radius * Point{std::cos(deg * kDegree), -std::sin(deg * kDegree)};
}

// Direction of travel on the arc at `deg`.
Point arc_tangent(const Arc& a, double deg) {
  const Point ccw{-std::sin(deg * kDegree), -std::cos(deg * kDegree)};
  return a.sweep_deg >= 0 ? ccw : -1 * ccw;
}

double turn_between(double from_deg, double to_deg) {  // 0 <= turn < 360, counter-clockwise
  const double t = std::fmod(to_deg - from_deg, 360);
  return t < 0 ? t + 360 : t;
}

struct StartPoint {
  Point operator()(const Arc& a) const { return on_arc(a, a.start_deg); }
  Point operator()(const Path& p) const { return p.points.front(); }
};
struct EndPoint {
  Point operator()(const Arc& a) const { return on_arc(a, a.start_deg + a.sweep_deg); }
  Point operator()(const Path& p) const { return p.points.back(); }
};
struct StartTangent {
  Point operator()(const Arc& a) const { return arc_tangent(a, a.start_deg); }
  Point operator()(const Path& p) const { return p.start_tangent; }
};
struct EndTangent {
  Point operator()(const Arc& a) const { return arc_tangent(a, a.start_deg + a.sweep_deg); }
  Point operator()(const Path& p) const { return p.end_tangent; }
};

}  // namespace

int steps_over(double amount, double step, int fewest) {
  const double n = std::ceil(amount / step);
  assert(std::isfinite(n) && "a piece of an outline has a finite length");
  if (!(n > fewest)) return fewest;  // NaN too
  return int(std::fmin(n, kMostSteps));
}

double heading(Point v) { return std::atan2(-v.y, v.x) / kDegree; }

Point start_point(const Piece& piece) { return std::visit(StartPoint{}, piece); }
Point end_point(const Piece& piece) { return std::visit(EndPoint{}, piece); }
Point start_tangent(const Piece& piece) { return std::visit(StartTangent{}, piece); }
Point end_tangent(const Piece& piece) { return std::visit(EndTangent{}, piece); }

Piece reversed(const Piece& piece) {
  if (const Arc* a = std::get_if<Arc>(&piece))
    return Arc{a->centre, a->radius, a->start_deg + a->sweep_deg, -a->sweep_deg};
  const Path& p = std::get<Path>(piece);
  return Path{{p.points.rbegin(), p.points.rend()}, -1 * p.end_tangent, -1 * p.start_tangent};
}

std::vector<Point> samples(const Piece& piece, double step) {
  if (const Path* p = std::get_if<Path>(&piece)) return p->points;
  const Arc& a = std::get<Arc>(piece);
  const int n = steps_over(std::fabs(a.sweep_deg) * kDegree * a.radius, step);
  std::vector<Point> out;
  for (int i = 0; i <= n; ++i) out.push_back(on_arc(a, a.start_deg + a.sweep_deg * i / n));
  return out;
}

Arc arc_between(Point centre, double radius, Point from, Point to, Point via) {
  const double a1 = heading(from - centre), a2 = heading(to - centre);
  const double ccw = turn_between(a1, a2);
  const double sweep = turn_between(a1, heading(via)) < ccw ? ccw : ccw - 360;
  return {centre, radius, a1, sweep};
}

Path line_path(Point a, Point b) {
  const Point u = unit(b - a);
  return {{a, b}, u, u};
}

Path cubic_path(Point a, Point b, Point c, Point d) {
  const double reach = distance(a, b) + distance(b, c) + distance(c, d);
  const int n = steps_over(reach, kCurveStep, 2);
  Path p{{}, unit(b - a), unit(d - c)};
  for (int i = 0; i <= n; ++i) {
    const double t = double(i) / n, u = 1 - t;
    p.points.push_back(u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d);
  }
  return p;
}

}  // namespace frames
