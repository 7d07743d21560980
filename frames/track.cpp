#include "frames/track.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace frames {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
// The band reaches from the small roller's side (towards Q0) to the large roller's side.
constexpr double kInside = 18, kOutside = 34;
constexpr double kSampleStep = 0.25;  // degrees along the centre line, about half a pixel

// Past each end the band closes with a half disc about the middle of its width there.
Point cap_centre(const SideAnchors& a, Point end, Point before_end) {
  const double tx = end.x - before_end.x, ty = end.y - before_end.y, len = std::hypot(tx, ty);
  Point n{-ty / len, tx / len};
  if (n.x * (end.x - a.eye_closed.x) + n.y * (end.y - a.eye_closed.y) < 0) n = {-n.x, -n.y};
  const double middle = (kOutside - kInside) / 2;
  return {end.x + middle * n.x, end.y + middle * n.y};
}

// The band is every point within kOutside of the centre line on its far side from Q0 and
// within kInside on its near side. Taking distances to the curve (not offsetting it along
// its normals) keeps the walls clean where the ramp bends more tightly than the offsets,
// and the ends are the caps above. The outline is every band pixel with a 4-neighbour outside it.
std::vector<Pixel> build_outline(Side side, int set) {
  const SideAnchors& a = anchors(side);
  std::vector<Point> line;
  for (double t = kTrackFirstAngle; t < kTrackLastAngle + kSampleStep / 2; t += kSampleStep)
    line.push_back(centre_line_point(side, set, std::fmin(t, kTrackLastAngle)));

  double left = line[0].x, right = left, top = line[0].y, bottom = top;
  for (Point p : line) {
    left = std::fmin(left, p.x), right = std::fmax(right, p.x);
    top = std::fmin(top, p.y), bottom = std::fmax(bottom, p.y);
  }
  const int x0 = int(std::floor(left - kOutside)) - 1, y0 = int(std::floor(top - kOutside)) - 1;
  const int w = int(std::ceil(right + kOutside)) + 2 - x0;
  const int h = int(std::ceil(bottom + kOutside)) + 2 - y0;

  // Nearest distance (squared) from each pixel to the sampled centre line.
  std::vector<double> near(std::size_t(w) * h, kOutside * kOutside * 4);
  std::vector<std::size_t> nearest(near.size(), 0);
  const int reach = int(std::ceil(kOutside));
  for (std::size_t i = 0; i < line.size(); ++i) {
    const Point p = line[i];
    const int cx = int(std::lround(p.x)) - x0, cy = int(std::lround(p.y)) - y0;
    for (int y = std::max(cy - reach, 0); y <= std::min(cy + reach, h - 1); ++y)
      for (int x = std::max(cx - reach, 0); x <= std::min(cx + reach, w - 1); ++x) {
        const double dx = x + x0 - p.x, dy = y + y0 - p.y;
        const std::size_t at = std::size_t(y) * w + x;
        if (dx * dx + dy * dy < near[at]) near[at] = dx * dx + dy * dy, nearest[at] = i;
      }
  }

  // Near or far side: the pixel's radius about Q0 against the centre line's at its angle.
  const double turn = track_turn(side, set);
  const Point first_cap = cap_centre(a, line[0], line[1]);
  const Point last_cap = cap_centre(a, line.back(), line[line.size() - 2]);
  auto in_band = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    const std::size_t i = nearest[std::size_t(y) * w + x];
    if (i == 0 || i + 1 == line.size()) {
      const Point c = i == 0 ? first_cap : last_cap;
      return std::hypot(x + x0 - c.x, y + y0 - c.y) <= (kInside + kOutside) / 2;
    }
    const double dx = x + x0 - a.eye_closed.x, dy = y + y0 - a.eye_closed.y;
    const double angle = std::atan2(a.towards_shaft * dx, -dy) / kDegree - turn;
    const bool far = std::hypot(dx, dy) >= centre_line_radius(angle);
    const double limit = far ? kOutside : kInside;
    return near[std::size_t(y) * w + x] <= limit * limit;
  };

  std::vector<Pixel> outline;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (in_band(x, y) &&
          (!in_band(x - 1, y) || !in_band(x + 1, y) || !in_band(x, y - 1) || !in_band(x, y + 1)))
        outline.push_back({x + x0, y + y0});
  return outline;
}

}  // namespace

const std::vector<Pixel>& track_outline(Side side, int set) {
  // Two shapes per side: the base track (sets 0 and 1) and the turned one (set 2).
  static const std::array<std::vector<Pixel>, 4> outlines{
      build_outline(kLeft, 0), build_outline(kLeft, 2), build_outline(kRight, 0),
      build_outline(kRight, 2)};
  return outlines[(side == kLeft ? 0 : 2) + (set == 2 ? 1 : 0)];
}

}  // namespace frames
