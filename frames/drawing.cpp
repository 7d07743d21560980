#include "frames/drawing.h"

#include "frames/track.h"

#include <array>
#include <cmath>
#include <numbers>

namespace frames {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

constexpr Point kFrameTopLeft{4, 42}, kFrameBottomRight{564, 506};
constexpr double kShaftRadius = 45;
constexpr double kCrossHalf = 15;  // the vertical stroke stops one pixel short below
constexpr double kPinRadius = 3.5;
constexpr double kBigEndRadius = 54;
constexpr double kSmallRollerRadius = 18, kLargeRollerRadius = 34;
constexpr double kLinkEyeRadius = 25, kSmallEndRadius = 27;
constexpr double kRockerEyeEnd = 21.5, kRockerFulcrumEnd = 27;
constexpr double kRockerFulcrumHole = 18, kRockerEyeHole = 14.5;
constexpr double kValveLinkPinEnd = 18, kValvePinRing = 12.5;

// Head marks: red pixels at the ends of the closed heads.
constexpr std::array<std::array<int, 2>, 14> kHeadMarks{{{167, 509}, {168, 508}, {169, 508},
                                                         {273, 453}, {274, 452}, {275, 452},
                                                         {286, 452}, {287, 452}, {288, 453},
                                                         {289, 453}, {392, 508}, {393, 508},
                                                         {394, 509}, {395, 509}}};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }
Point unit(Point v) { return (1 / std::hypot(v.x, v.y)) * v; }
Point left_normal(Point u) { return {-u.y, u.x}; }
// Screen direction as an angle counter-clockwise from the right, y up, in degrees.
double heading(Point v) { return std::atan2(-v.y, v.x) / kDegree; }

void draw_arc_about(Canvas& canvas, Point centre, double radius, Point towards,
                    double half_deg, Colour c) {
  const double mid = heading(towards);
  draw_arc(canvas, centre, radius, mid - half_deg, mid + half_deg, c);
}

// Outline of two round ends joined by the straight lines touching both: a link.
void draw_link(Canvas& canvas, Point a, double ra, Point b, double rb, Colour c) {
  const Point d = unit(b - a), n = left_normal(d);
  const double along = (ra - rb) / distance(a, b);  // cosine of the touching angle
  const double across = std::sqrt(1 - along * along);
  for (double side : {1.0, -1.0}) {
    const Point r = along * d + side * across * n;  // the radius to both touching points
    draw_line(canvas, a + ra * r, b + rb * r, c);
  }
  const double touch = std::acos(along) / kDegree;
  draw_arc_about(canvas, a, ra, -1 * d, 180 - touch, c);
  draw_arc_about(canvas, b, rb, d, touch, c);
}

// Two curves from circle (a, ra) to circle (b, rb) that leave each circle along its rim
// `leave_a` / `leave_b` degrees off the line of centres and sag towards that line between.
void draw_waist(Canvas& canvas, Point a, double ra, Point b, double rb, double leave_a,
                double leave_b, Colour c) {
  const Point d = unit(b - a), n = left_normal(d);
  const double ca = std::cos(leave_a * kDegree), sa = std::sin(leave_a * kDegree);
  const double cb = std::cos(leave_b * kDegree), sb = std::sin(leave_b * kDegree);
  for (double side : {1.0, -1.0}) {
    const Point pa = a + ra * (ca * d + side * sa * n);
    const Point pb = b + rb * (-cb * d + side * sb * n);
    const Point ta = sa * d - side * ca * n, tb = sb * d + side * cb * n;  // rim tangents
    const double arm = distance(pa, pb) / 3;
    draw_cubic(canvas, pa, pa + arm * ta, pb - arm * tb, pb, c);
  }
}

void draw_track(Canvas& canvas, Side side, int set) {
  for (Pixel p : track_outline(side, set)) canvas.plot(p.x, p.y, kMagenta);
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

void draw_rod(Canvas& canvas, Point eccentric, Point pin, Colour c) {
  constexpr double kLeave = 68;  // a little inside the touching angle (about 80 degrees)
  draw_waist(canvas, eccentric, kBigEndRadius, pin, kSmallEndRadius, kLeave, kLeave, c);
}

void draw_side(Canvas& canvas, Side side, const SideGeometry& g) {
  const bool left = side == kLeft;
  const Colour rod = left ? kBlue : kCyan;

  draw_link(canvas, g.rod_pin, kLinkEyeRadius, g.eye, kRockerEyeEnd, kGreen);
  draw_link(canvas, g.eye, kRockerEyeEnd, g.valve_pin, kValveLinkPinEnd, kBlue);

  // Rocker: outer rims about F and Q joined by waisted necks, holes about both.
  constexpr double kRockerLeave = 50;
  draw_waist(canvas, g.fulcrum, kRockerFulcrumEnd, g.eye, kRockerEyeEnd, kRockerLeave,
             kRockerLeave, kRed);
  const Point d = unit(g.eye - g.fulcrum);
  draw_arc_about(canvas, g.fulcrum, kRockerFulcrumEnd, -1 * d, 180 - kRockerLeave, kRed);
  draw_arc_about(canvas, g.eye, kRockerEyeEnd, d, 180 - kRockerLeave, kRed);
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
  draw_track(canvas, kLeft, set);
  draw_track(canvas, kRight, set);
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
