#pragma once
// An 8-bit canvas of palette entries and one-pixel-wide line primitives, no antialiasing.

#include <cstdint>
#include <vector>

#include "frames/geometry.h"

namespace frames {

inline constexpr int kFrameWidth = 600;
inline constexpr int kFrameHeight = 562;

// The palette entries the drawing uses.
enum Colour : std::uint8_t {
  kBlack = 0,
  kBlue = 3,
  kGreen = 28,
  kCyan = 31,
  kRed = 224,
  kMagenta = 227,
  kWhite = 255,
};

struct Pixel {
  int x = 0, y = 0;
  bool operator==(const Pixel&) const = default;
};

// Whether two pixels are the same or 8-neighbours.
bool touching(Pixel a, Pixel b);

struct Canvas {
  std::vector<std::uint8_t> pixels =
      std::vector<std::uint8_t>(std::size_t{kFrameWidth} * kFrameHeight, kWhite);  // rows top-down

  // Pixels off the canvas are dropped.
  void plot(int x, int y, Colour c);
  void plot(const std::vector<Pixel>& pixels, Colour c);
  std::uint8_t at(int x, int y) const { return pixels[std::size_t(y) * kFrameWidth + x]; }
};

// The pixels of the polyline through `points`: the nearest pixel of each point, gaps closed
// by Bresenham, and the corner pixel of every L-shaped step left out, so the line is one
// pixel thin.
std::vector<Pixel> trace(const std::vector<Point>& points);

// Bresenham between the nearest pixels of a and b.
void draw_line(Canvas& canvas, Point a, Point b, Colour c);

// Midpoint circle about the pixel nearest `centre`; the radius may be fractional.
void draw_circle(Canvas& canvas, Point centre, double radius, Colour c);

// The pixels of that circle in order counter-clockwise on the screen, starting to the right.
std::vector<Pixel> circle_pixels(Point centre, double radius);

// The part of that circle from `from_deg` to `to_deg`, counter-clockwise on the screen
// (angles from the right, y up), with from < to.
void draw_arc(Canvas& canvas, Point centre, double radius, double from_deg, double to_deg,
              Colour c);

}  // namespace frames
