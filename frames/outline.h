#pragma once
// Outlines as chains of pieces, circular arcs and sampled curves, each traversed from its
// start to its end with known tangents there, so that the joins can be checked and drawn.

#include <variant>
#include <vector>

#include "frames/geometry.h"

namespace frames {

// Angles are degrees counter-clockwise on the screen from the right, as draw_arc takes them.
struct Arc {
  Point centre;
  double radius = 0, start_deg = 0, sweep_deg = 0;  // sweep < 0 runs clockwise on the screen
};

// A curve through points at most about half a pixel apart, with its exact end directions.
struct Path {
  std::vector<Point> points;
  Point start_tangent, end_tangent;  // unit, in the direction of travel
};

using Piece = std::variant<Arc, Path>;
using Outline = std::vector<Piece>;

Point start_point(const Piece& piece);
Point end_point(const Piece& piece);
Point start_tangent(const Piece& piece);
Point end_tangent(const Piece& piece);

// The same piece traversed the other way.
Piece reversed(const Piece& piece);

// Points along the piece from its start to its end, at most `step` pixels apart.
std::vector<Point> samples(const Piece& piece, double step);

// The arc of `radius` about `centre` from `from` to `to` (both on its circle) that passes
// direction `via`.
Arc arc_between(Point centre, double radius, Point from, Point to, Point via);

Path line_path(Point a, Point b);
Path cubic_path(Point a, Point b, Point c, Point d);

// How many steps of at most `step` cover `amount`, at least `fewest`. The count always fits an
// int: an amount that is not finite takes `fewest`, a vast one a fixed most.
int steps_over(double amount, double step, int fewest = 1);

// Screen direction as an angle counter-clockwise from the right, y up, in degrees.
double heading(Point v);

}  // namespace frames
