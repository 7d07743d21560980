#include "frames/track.h"

#include <array>
#include <cmath>
#include <optional>

namespace frames {
namespace {

// The band reaches from the small roller's side (towards Q0) to the large roller's side.
constexpr double kInside = kSmallRollerRadius, kOutside = kLargeRollerRadius;
// Where the ramp bends more tightly than a wall's offset, the exact offset would fold over
// itself; the wall rounds that fold with an arc of this radius touching both branches.
constexpr double kFilletRadius = 12;
// Each cap follows the large roller's rim about the centre line's end from the outer wall,
// then curves onto the inner wall kCapJoinShort pixels (along the centre line) short of
// the end. At the dwell end the rim runs round to the tip; the ramp's end points steeply
// towards Q0, so there the cap leaves the rim early to keep within the track's depth.
constexpr double kCapRimAtDwellEnd = 90, kCapRimAtRampEnd = 45;  // degrees of rim
constexpr double kCapJoinShort = 12;
constexpr double kCapArm = 0.4;     // the cap's curve: arms as a share of its chord
constexpr double kWallStep = 0.1;   // degrees between the points of a wall, about 0.2 px
constexpr double kFoldStep = 0.05;  // degrees between the points searched for a fold

// The centre line at one angle: its point, its direction of increasing angle and its
// normal pointing away from Q0.
struct Station {
  Point at, along, out;
};

Station station(Side side, int set, double angle) {
  constexpr double h = 1e-3;
  const double lo = std::fmax(angle - h, kTrackFirstAngle);
  const double hi = std::fmin(angle + h, kTrackLastAngle);
  const Point at = centre_line_point(side, set, angle);
  const Point along = unit(centre_line_point(side, set, hi) - centre_line_point(side, set, lo));
  Point out = quarter_turn_clockwise(along);
  if (dot(out, at - anchors(side).eye_closed) < 0) out = -1 * out;
  return {at, along, out};
}

Point offset(Side side, int set, double angle, double by) {
  const Station s = station(side, set, angle);
  return s.at + by * s.out;
}

// The wall `by` from the centre line (negative towards Q0) between two angles, as a path
// with points at most half a pixel apart: where the line bends sharply the wall on its
// outside moves many times faster than the line.
Path wall_path(Side side, int set, double from, double to, double by) {
  constexpr double kMostApart = 0.5;
  Path p{
      {offset(side, set, from, by)}, station(side, set, from).along, station(side, set, to).along};
  const int n = steps_over(to - from, kWallStep);
  for (int i = 1; i <= n; ++i) {
    const double a0 = from + (to - from) * (i - 1) / n, a1 = from + (to - from) * i / n;
    const Point end = offset(side, set, a1, by);
    const int parts = steps_over(distance(p.points.back(), end), kMostApart);
    for (int k = 1; k < parts; ++k)
      p.points.push_back(offset(side, set, a0 + (a1 - a0) * k / parts, by));
    p.points.push_back(end);
  }
  return p;
}

// Where segment a0-a1 crosses b0-b1, as the fractions along each.
std::optional<std::array<double, 2>> crossing(Point a0, Point a1, Point b0, Point b1) {
  const Point r = a1 - a0, s = b1 - b0, q = b0 - a0;
  const double den = r.x * s.y - r.y * s.x;
  if (std::fabs(den) < 1e-12) return std::nullopt;
  const double u = (q.x * s.y - q.y * s.x) / den, v = (q.x * r.y - q.y * r.x) / den;
  if (u < 0 || u > 1 || v < 0 || v > 1) return std::nullopt;
  return std::array{u, v};
}

// A fold of a wall: the curve at the wall's offset plus the fillet radius crosses itself
// between `first` and `last`; the fillet is centred on that crossing.
struct Fold {
  double first, last;
  Point centre;
};

std::vector<Fold> folds(Side side, int set, double from, double to, double by) {
  const double reach = by + std::copysign(kFilletRadius, by);
  std::vector<double> angle;
  std::vector<Point> curve;
  for (double a = from; a < to; a += kFoldStep)
    angle.push_back(a), curve.push_back(offset(side, set, a, reach));
  std::vector<Fold> found;
  for (std::size_t i = 0; i + 1 < curve.size(); ++i)
    for (std::size_t j = curve.size() - 2; j > i + 1; --j)
      if (auto c = crossing(curve[i], curve[i + 1], curve[j], curve[j + 1])) {
        found.push_back({angle[i] + (*c)[0] * kFoldStep, angle[j] + (*c)[1] * kFoldStep,
                         curve[i] + (*c)[0] * (curve[i + 1] - curve[i])});
        i = j;
        break;
      }
  return found;
}

// One wall between two angles, traversed towards `to`: offset paths joined by fillets.
Outline wall(Side side, int set, double from, double to, double by) {
  Outline pieces;
  double start = from;
  for (const Fold& f : folds(side, set, from, to, by)) {
    pieces.push_back(wall_path(side, set, start, f.first, by));
    const Point mid = centre_line_point(side, set, (f.first + f.last) / 2);
    const Point first = offset(side, set, f.first, by);
    pieces.push_back(arc_between(f.centre, distance(f.centre, first), first,
                                 offset(side, set, f.last, by), mid - f.centre));
    start = f.last;
  }
  pieces.push_back(wall_path(side, set, start, to, by));
  return pieces;
}

// The cap at one end, from the outer wall to the inner wall. `forward` points beyond the
// end; `join` is the inner wall's point where the cap meets it, `join_forward` the wall's
// direction there pointing towards the end.
Outline cap(Station end, Point forward, double rim_deg, Point join, Point join_forward) {
  const double c = std::cos(rim_deg * kDegree), s = std::sin(rim_deg * kDegree);
  const Point leave = end.at + kOutside * (s * forward + c * end.out);
  const Arc rim = arc_between(end.at, kOutside, end.at + kOutside * end.out, leave,
                              end.out + unit(leave - end.at));
  const Point rim_end = end_tangent(rim);
  const double arm = kCapArm * distance(leave, join);
  return {rim, cubic_path(leave, leave + arm * rim_end, join + arm * join_forward, join)};
}

Outline build_pieces(Side side, int set) {
  // The inner wall stops short of each end by kCapJoinShort pixels of centre line.
  const double radius_end = centre_line_radius(kTrackLastAngle);
  const double short_end = kCapJoinShort / (radius_end * kDegree);
  const double short_start = kCapJoinShort / (centre_line_radius(kTrackFirstAngle) * kDegree);
  const double inner_from = kTrackFirstAngle + short_start, inner_to = kTrackLastAngle - short_end;

  Outline outline = wall(side, set, kTrackFirstAngle, kTrackLastAngle, kOutside);
  const Station last = station(side, set, kTrackLastAngle);
  const Station inner_last = station(side, set, inner_to);
  for (Piece& p : cap(last, last.along, kCapRimAtRampEnd, inner_last.at - kInside * inner_last.out,
                      inner_last.along))
    outline.push_back(p);
  const Outline inner = wall(side, set, inner_from, inner_to, -kInside);
  for (auto p = inner.rbegin(); p != inner.rend(); ++p) outline.push_back(reversed(*p));
  const Station first = station(side, set, kTrackFirstAngle);
  const Station inner_first = station(side, set, inner_from);
  const Outline start = cap(first, -1 * first.along, kCapRimAtDwellEnd,
                            inner_first.at - kInside * inner_first.out, -1 * inner_first.along);
  for (auto p = start.rbegin(); p != start.rend(); ++p) outline.push_back(reversed(*p));
  return outline;
}

std::vector<Pixel> build_outline(const Outline& pieces) {
  std::vector<Point> points;
  for (const Piece& p : pieces)
    for (Point q : samples(p, 0.25)) points.push_back(q);
  return trace(points);
}

int track_shape_index(Side side, int set) {
  return (side == kLeft ? 0 : 2) + (set == 2 ? 1 : 0);
}

}  // namespace

const Outline& track_pieces(Side side, int set) {
  // Two shapes per side: the base track (sets 0 and 1) and the turned one (set 2).
  static const std::array<Outline, 4> pieces{build_pieces(kLeft, 0), build_pieces(kLeft, 2),
                                             build_pieces(kRight, 0), build_pieces(kRight, 2)};
  return pieces[track_shape_index(side, set)];
}

const std::vector<Pixel>& track_outline(Side side, int set) {
  static const std::array<std::vector<Pixel>, 4> outlines{
      build_outline(track_pieces(kLeft, 0)), build_outline(track_pieces(kLeft, 2)),
      build_outline(track_pieces(kRight, 0)), build_outline(track_pieces(kRight, 2))};
  return outlines[track_shape_index(side, set)];
}

}  // namespace frames
