#include "frames/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

namespace frames {
namespace {

int nearest(double v) { return static_cast<int>(std::lround(v)); }

// The midpoint walk over one octant (0 <= x <= y) of a circle about the origin, handing
// every offset (x, y) to `emit`. The next y is chosen by the sign of the midpoint test
// x^2 + (y - 1/2)^2 - r^2, exact for fractional radii. Ties go inwards, so a radius of
// n + 1/2 spans 2n + 1 pixels across, the same as a radius of n.
template <class Emit>
void walk_octant(double radius, Emit emit) {
  const double r2 = radius * radius;
  int x = 0, y = static_cast<int>(std::ceil(radius - 0.5));
  while (x <= y) {
    emit(x, y);
    ++x;
    if (x * x + (y - 0.5) * (y - 0.5) >= r2) --y;
  }
}

template <class Emit>
void walk_circle(double radius, Emit emit) {
  walk_octant(radius, [&](int x, int y) {
    for (int sx : {1, -1})
      for (int sy : {1, -1}) {
        emit(sx * x, sy * y);
        emit(sx * y, sy * x);
      }
  });
}

// Bresenham from `from` to `to`, both included.
template <class Emit>
void walk_line(Pixel from, Pixel to, Emit emit) {
  const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
  const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    emit(from);
    if (from == to) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, from.x += sx;
    if (e2 <= dx) err += dx, from.y += sy;
  }
}

// The direction of offset (x, y) from a circle's centre, degrees counter-clockwise from
// the right; screen y runs down, the angle is taken with y up.
double offset_angle(int x, int y) {
  return std::atan2(-double(y), double(x)) * 180 / std::numbers::pi;
}

}  // namespace

bool touching(Pixel a, Pixel b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; }

void Canvas::plot(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= kFrameWidth || y >= kFrameHeight) return;
  pixels[std::size_t(y) * kFrameWidth + x] = c;
}

void Canvas::plot(const std::vector<Pixel>& line, Colour c) {
  for (Pixel p : line) plot(p.x, p.y, c);
}

void draw_line(Canvas& canvas, Point a, Point b, Colour c) {
  walk_line({nearest(a.x), nearest(a.y)}, {nearest(b.x), nearest(b.y)},
            [&](Pixel p) { canvas.plot(p.x, p.y, c); });
}

void draw_circle(Canvas& canvas, Point centre, double radius, Colour c) {
  const int cx = nearest(centre.x), cy = nearest(centre.y);
  walk_circle(radius, [&](int x, int y) { canvas.plot(cx + x, cy + y, c); });
}

void draw_arc(Canvas& canvas, Point centre, double radius, double from_deg, double to_deg,
              Colour c) {
  const int cx = nearest(centre.x), cy = nearest(centre.y);
  walk_circle(radius, [&](int x, int y) {
    const double turn = std::fmod(std::fmod(offset_angle(x, y) - from_deg, 360) + 360, 360);
    if (from_deg + turn <= to_deg) canvas.plot(cx + x, cy + y, c);
  });
}

std::vector<Pixel> circle_pixels(Point centre, double radius) {
  std::vector<Pixel> octant;  // from straight up towards 45 degrees, as (across, up)
  walk_octant(radius, [&](int x, int y) { octant.push_back({x, y}); });
  // The eight octants counter-clockwise from the right, each the walked one mirrored: its
  // offsets with their axes swapped or not, their signs, and walked forwards or back.
  struct Mirror {
    bool swapped;
    int sign_x, sign_up;
    bool backwards;
  };
  constexpr Mirror kMirrors[] = {{true, 1, 1, false},   {false, 1, 1, true},
                                 {false, -1, 1, false}, {true, -1, 1, true},
                                 {true, -1, -1, false}, {false, -1, -1, true},
                                 {false, 1, -1, false}, {true, 1, -1, true}};
  const int cx = nearest(centre.x), cy = nearest(centre.y);
  const int n = int(octant.size());
  std::vector<Pixel> ring;
  for (const Mirror& m : kMirrors)
    for (int k = 0; k < n; ++k) {
      const Pixel o = octant[std::size_t(m.backwards ? n - 1 - k : k)];
      const int x = m.swapped ? o.y : o.x, up = m.swapped ? o.x : o.y;
      const Pixel at{cx + m.sign_x * x, cy - m.sign_up * up};  // screen y runs down
      if (ring.empty() || ring.back() != at) ring.push_back(at);  // octants share their ends
    }
  if (ring.size() > 1 && ring.back() == ring.front()) ring.pop_back();
  return ring;
}

std::vector<Pixel> trace(const std::vector<Point>& points) {
  std::vector<Pixel> out;
  auto add = [&](Pixel p) {
    if (!out.empty() && out.back() == p) return;
    out.push_back(p);
    const std::size_t n = out.size();
    if (n >= 3 && touching(out[n - 3], out[n - 1])) {
      out.erase(out.end() - 2);
      if (out[n - 3] == out[n - 2]) out.pop_back();
    }
  };
  for (Point point : points) {
    const Pixel to{nearest(point.x), nearest(point.y)};
    if (out.empty()) add(to);
    else walk_line(out.back(), to, add);
  }
  return out;
}

}  // namespace frames
