#include "frames/raster.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

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

}  // namespace

void Canvas::plot(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= kFrameWidth || y >= kFrameHeight) return;
  pixels[std::size_t(y) * kFrameWidth + x] = c;
}

void draw_line(Canvas& canvas, Point a, Point b, Colour c) {
  int x0 = nearest(a.x), y0 = nearest(a.y);
  const int x1 = nearest(b.x), y1 = nearest(b.y);
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    canvas.plot(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void draw_circle(Canvas& canvas, Point centre, double radius, Colour c) {
  const int cx = nearest(centre.x), cy = nearest(centre.y);
  walk_circle(radius, [&](int x, int y) { canvas.plot(cx + x, cy + y, c); });
}

void draw_arc(Canvas& canvas, Point centre, double radius, double from_deg, double to_deg,
              Colour c) {
  const int cx = nearest(centre.x), cy = nearest(centre.y);
  walk_circle(radius, [&](int x, int y) {
    // Screen y runs down; the angle is taken with y up.
    double angle = std::atan2(-double(y), double(x)) * 180 / std::numbers::pi;
    angle = from_deg + std::fmod(std::fmod(angle - from_deg, 360) + 360, 360);
    if (angle <= to_deg) canvas.plot(cx + x, cy + y, c);
  });
}

void draw_cubic(Canvas& canvas, Point a, Point b, Point c, Point d, Colour colour) {
  constexpr int kSteps = 24;
  Point previous = a;
  for (int i = 1; i <= kSteps; ++i) {
    const double t = double(i) / kSteps, u = 1 - t;
    const double wa = u * u * u, wb = 3 * u * u * t, wc = 3 * u * t * t, wd = t * t * t;
    const Point p{wa * a.x + wb * b.x + wc * c.x + wd * d.x,
                  wa * a.y + wb * b.y + wc * c.y + wd * d.y};
    draw_line(canvas, previous, p, colour);
    previous = p;
  }
}

}  // namespace frames
