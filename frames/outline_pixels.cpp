#include "frames/outline_pixels.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace frames {
namespace {

constexpr double kSideStep = 0.25;  // pixels between the points traced along a side

// Steps from `a` to `b`, each to one of the eight neighbours.
int steps_between(Pixel a, Pixel b) { return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)); }

Point centre_of(Pixel p) { return {double(p.x), double(p.y)}; }

Pixel nearest_of(const std::vector<Pixel>& ring, Point p) {
  auto squared_gap = [&](Pixel q) { return dot(p - centre_of(q), p - centre_of(q)); };
  return *std::min_element(ring.begin(), ring.end(), [&](Pixel a, Pixel b) {
    return squared_gap(a) < squared_gap(b);
  });
}

// Drops the leading pixels of `line` up to the last that touches `ring` while the line still
// runs within two pixels of it: along a ring a tangent's pixels touch it only now and then.
// `line` starts on `ring`; each next pixel is sought near the ring pixel nearest the last.
void leave(const std::vector<Pixel>& ring, std::vector<Pixel>& line) {
  constexpr std::ptrdiff_t kReach = 8;  // ring pixels either way, more than a step can pass
  const std::ptrdiff_t n = std::ptrdiff_t(ring.size());
  std::ptrdiff_t near = std::find(ring.begin(), ring.end(), line.front()) - ring.begin();
  assert(near < n && "a side starts on its ring");
  std::size_t last = 0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    int steps = 3;  // or more: clear of the ring
    std::ptrdiff_t nearest = near;
    for (std::ptrdiff_t k = near - kReach; k <= near + kReach; ++k) {
      const std::ptrdiff_t at = k < 0 ? k + n : k >= n ? k - n : k;
      const int s = steps_between(ring[std::size_t(at)], line[i]);
      if (s < steps) steps = s, nearest = at;
    }
    near = nearest;
    if (steps > 2) break;
    if (steps <= 1) last = i;
  }
  line.erase(line.begin(), line.begin() + std::ptrdiff_t(last));
}

// The pixels of `ring` from the last that `from` touches to the first that touches `to`,
// walking counter-clockwise on the screen for `sweep` > 0, clockwise otherwise.
std::vector<Pixel> rim_between(const std::vector<Pixel>& ring, Pixel from, Pixel to,
                               double sweep) {
  const std::ptrdiff_t n = std::ptrdiff_t(ring.size()), step = sweep > 0 ? 1 : n - 1;
  auto after = [&](std::ptrdiff_t i) { return (i + step) % n; };
  std::ptrdiff_t i = std::find_if(ring.begin(), ring.end(),
                                  [&](Pixel q) { return touching(from, q); }) - ring.begin();
  assert(i < n && "a side ends beside its rim");
  while (touching(from, ring[after(i)])) i = after(i);
  std::vector<Pixel> out{ring[i]};
  for (std::ptrdiff_t walked = 0; !touching(to, ring[i]) && walked < n; ++walked) {
    i = after(i);
    out.push_back(ring[i]);
  }
  return out;
}

// Whether `a` and `b` lie two apart in one row or one column, one pixel between them.
bool one_between(Pixel a, Pixel b) {
  return (a.y == b.y && std::abs(a.x - b.x) == 2) || (a.x == b.x && std::abs(a.y - b.y) == 2);
}

Pixel between(Pixel a, Pixel b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// A side can leave a ring from a pixel that steps out and back: beside a ring pixel that
// is level with the side's next pixel. Its first pixel then moves between those two.
void ease_off(const std::vector<Pixel>& ring, std::vector<Pixel>& line) {
  if (line.size() < 2) return;
  for (Pixel r : ring)
    if (touching(r, line[0]) && one_between(r, line[1])) {
      line[0] = between(r, line[1]);
      return;
    }
}

// Where a side meets its rim the ring may run one pixel past the side's end, which then
// steps back beside it: a one-pixel dent. Its pixel moves between its neighbours, and where
// that turns the step before into an L, the L's corner pixel goes.
void smooth_seams(std::vector<Pixel>& chain) {
  constexpr int kMostPasses = 8;  // a seam settles in one or two
  bool changed = true;
  for (int pass = 0; changed && pass < kMostPasses; ++pass) {
    changed = false;
    for (std::size_t i = 0; i < chain.size() && chain.size() > 3; ++i) {
      const std::size_t n = chain.size();
      const Pixel before = chain[(i + n - 1) % n], after = chain[(i + 1) % n];
      if (touching(before, after)) {
        chain.erase(chain.begin() + std::ptrdiff_t(i));
        changed = true;
      } else if (one_between(before, after) && chain[i] != between(before, after)) {
        chain[i] = between(before, after);
        changed = true;
      }
    }
  }
}

}  // namespace

std::vector<Pixel> side_pixels(const Piece& side, const std::vector<Pixel>& from_ring,
                               const std::vector<Pixel>& to_ring) {
  // Traced from a pixel of one ring to a pixel of the other: rings are drawn about their
  // centres' nearest pixels, so the side's own ends may miss them by a pixel.
  std::vector<Point> points = samples(side, kSideStep);
  points.insert(points.begin(), centre_of(nearest_of(from_ring, points.front())));
  points.push_back(centre_of(nearest_of(to_ring, points.back())));
  std::vector<Pixel> line = trace(points);
  leave(from_ring, line);
  ease_off(from_ring, line);
  std::reverse(line.begin(), line.end());
  leave(to_ring, line);
  ease_off(to_ring, line);
  std::reverse(line.begin(), line.end());
  return line;
}

std::vector<Pixel> rimmed_outline_pixels(const Outline& outline) {
  assert(outline.size() == 4);
  const Arc& rim_a = std::get<Arc>(outline[0]);
  const Arc& rim_b = std::get<Arc>(outline[2]);
  const std::vector<Pixel> ring_a = circle_pixels(rim_a.centre, rim_a.radius);
  const std::vector<Pixel> ring_b = circle_pixels(rim_b.centre, rim_b.radius);
  const std::vector<Pixel> one = side_pixels(outline[1], ring_a, ring_b);
  const std::vector<Pixel> other = side_pixels(outline[3], ring_b, ring_a);

  std::vector<Pixel> chain = rim_between(ring_a, other.back(), one.front(), rim_a.sweep_deg);
  auto append = [&](const std::vector<Pixel>& run) {
    for (Pixel p : run)
      if (chain.back() != p) chain.push_back(p);
  };
  append(one);
  append(rim_between(ring_b, one.back(), other.front(), rim_b.sweep_deg));
  append(other);
  if (chain.size() > 1 && chain.back() == chain.front()) chain.pop_back();
  smooth_seams(chain);
  return chain;
}

}  // namespace frames
