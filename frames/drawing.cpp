#include "frames/drawing.h"

#include "frames/outline_pixels.h"
#include "frames/part_outlines.h"
#include "frames/track.h"

#include <array>

namespace frames {
namespace {

constexpr Point kFrameTopLeft{4, 42}, kFrameBottomRight{564, 506};
constexpr double kShaftRadius = 45;
constexpr double kCrossHalf = 15;  // the vertical stroke stops one pixel short below
constexpr double kPinRadius = 3.5;
constexpr double kRockerFulcrumHole = 18, kRockerEyeHole = 14.5;
constexpr double kValvePinRing = 12.5;

// Head marks: red pixels at the ends of the closed heads.
constexpr std::array<std::array<int, 2>, 14> kHeadMarks{{{167, 509}, {168, 508}, {169, 508},
                                                         {273, 453}, {274, 452}, {275, 452},
                                                         {286, 452}, {287, 452}, {288, 453},
                                                         {289, 453}, {392, 508}, {393, 508},
                                                         {394, 509}, {395, 509}}};

void draw_arc_about(Canvas& canvas, Point centre, double radius, Point towards,
                    double half_deg, Colour c) {
  const double mid = heading(towards);
  draw_arc(canvas, centre, radius, mid - half_deg, mid + half_deg, c);
}

void draw_fixed_parts(Canvas& canvas) {
  const Point tl = kFrameTopLeft, br = kFrameBottomRight;
  draw_line(canvas, tl, {br.x, tl.y}, kBlack);
  draw_line(canvas, {br.x, tl.y}, br, kBlack);
  draw_line(canvas, br, {tl.x, br.y}, kBlack);
  draw_line(canvas, {tl.x, br.y}, tl, kBlack);

  const Point o = kShaftAxis;
  draw_circle(canvas, o, kShaftRadius, kBlack);
  draw_line(canvas, {o.x - kCrossHalf, o.y}, {o.x + kCrossHalf, o.y}, kBlack);
  draw_line(canvas, {o.x, o.y - kCrossHalf}, {o.x, o.y + kCrossHalf - 1}, kBlack);
}

// The rod's side curves; its rims are the rings drawn whole.
void draw_rod(Canvas& canvas, Point eccentric, Point pin, Colour c) {
  const Outline rod = rod_outline(eccentric, kBigEndRadius, pin, kSmallEndRadius);
  const std::vector<Pixel> big_end = circle_pixels(eccentric, kBigEndRadius);
  const std::vector<Pixel> small_end = circle_pixels(pin, kSmallEndRadius);
  canvas.plot(side_pixels(rod[1], big_end, small_end), c);
  canvas.plot(side_pixels(rod[3], small_end, big_end), c);
}

void draw_side(Canvas& canvas, Side side, const SideGeometry& g) {
  const bool left = side == kLeft;
  const Colour rod = left ? kBlue : kCyan;

  canvas.plot(rimmed_outline_pixels(link_outline(g.rod_pin, kLinkEyeRadius, g.eye, kRockerEyeEnd)),
              kGreen);
  canvas.plot(
      rimmed_outline_pixels(link_outline(g.eye, kRockerEyeEnd, g.valve_pin, kValveLinkPinEnd)),
      kBlue);

  // Rocker: outer rims about F and Q joined by inward-curving necks, holes about both.
  canvas.plot(
      rimmed_outline_pixels(rocker_outline(g.fulcrum, kRockerFulcrumEnd, g.eye, kRockerEyeEnd)),
      kRed);
  draw_circle(canvas, g.fulcrum, kRockerFulcrumHole, kRed);
  draw_circle(canvas, g.eye, kRockerEyeHole, kRed);

  // Rollers and eyes about the rod pin.
  draw_circle(canvas, g.rod_pin, kLargeRollerRadius, kBlack);
  draw_circle(canvas, g.rod_pin, kSmallEndRadius, rod);
  draw_circle(canvas, g.rod_pin, kLinkEyeRadius, kGreen);
  draw_circle(canvas, g.rod_pin, kSmallRollerRadius, kBlue);

  draw_circle(canvas, g.valve_pin, kValvePinRing, kGreen);

  if (left) {
    draw_line(canvas, g.fulcrum, g.eye, kBlack);
    draw_line(canvas, g.eye, g.valve_pin, kBlack);
  }
  for (Point pin : {g.rod_pin, g.fulcrum, g.eye, g.valve_pin})
    draw_circle(canvas, pin, kPinRadius, kBlack);

  const SideAnchors& a = anchors(side);
  draw_line(canvas, g.valve_pin, g.head_centre, kBlack);
  const Point half = (kHeadLength / 2) * a.head_axis;
  draw_line(canvas, g.head_centre - half, g.head_centre + half, kBlack);
}

}  // namespace

Canvas draw_frame(int set, int position) {
  const FrameGeometry g = frame_geometry(set, position);
  Canvas canvas;
  for (Side side : {kLeft, kRight}) canvas.plot(track_outline(side, set), kMagenta);
  draw_fixed_parts(canvas);

  const Point e = g.eccentric;
  draw_rod(canvas, e, g.sides[kLeft].rod_pin, kBlue);
  draw_rod(canvas, e, g.sides[kRight].rod_pin, kCyan);
  // The two big ends share one rim: each shows its own colour on its rod's side.
  draw_circle(canvas, e, kBigEndRadius, kBlue);
  draw_arc_about(canvas, e, kBigEndRadius, g.sides[kRight].rod_pin - e, 90, kCyan);
  draw_circle(canvas, e, kEccentricRadius, kBlue);

  draw_side(canvas, kLeft, g.sides[kLeft]);
  draw_side(canvas, kRight, g.sides[kRight]);

  for (Side side : {kLeft, kRight})
    draw_circle(canvas, anchors(side).valve_closed, kPinRadius, kBlack);
  for (auto [x, y] : kHeadMarks) canvas.plot(x, y, kRed);
  return canvas;
}

}  // namespace frames
