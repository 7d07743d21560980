#pragma once
// Where every moving part of the mechanism stands for one frame: set 0..2, shaft position 0..17.

#include <array>
#include <cmath>
#include <numbers>

#include "frames/frame_numbering.h"

namespace frames {

inline constexpr double kDegree = std::numbers::pi / 180;  // radians

struct Point {
  double x = 0, y = 0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }
inline double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
// `u` turned a quarter turn, clockwise on the screen (y grows downward).
inline Point quarter_turn_clockwise(Point u) { return {-u.y, u.x}; }
// The square root of `v`, taken as 0 where rounding has left `v` just below 0.
inline double clamped_sqrt(double v) { return std::sqrt(std::fmax(v, 0)); }

enum Side { kLeft = 0, kRight = 1 };

// Fixed points of one side, the same in every frame.
struct SideAnchors {
  Point eye_closed;    // rocker eye at rest (Q0); the track is laid out about it
  Point valve_closed;  // valve pin at rest (V0)
  Point valve_axis;    // unit vector down the valve's axis
  Point head_axis;     // unit vector along the closed head, square to the axis
  double towards_shaft = 0;  // +1 left, -1 right: mirrors angles measured from straight up
};

// The moving parts of one side.
struct SideGeometry {
  Point fulcrum;    // F
  Point rod_pin;    // P
  Point eye;        // Q
  Point valve_pin;  // V
  Point head_centre;  // lower end of the stem
  double travel = 0;  // V below V0 along the axis, >= 0
};

struct FrameGeometry {
  Point eccentric;  // E
  std::array<SideGeometry, 2> sides{};
};

inline constexpr Point kShaftAxis{281, 176};
inline constexpr double kEccentricRadius = 45;
inline constexpr double kRodLength = 163;          // E to P
inline constexpr double kConnectingLinkLength = 135;  // P to Q at rest: the dwell radius
inline constexpr double kRockerArm = 63;           // F to Q
inline constexpr double kValveLinkLength = 63;     // Q to V
inline constexpr double kSmallRollerRadius = 18;  // touches the track's inner wall
inline constexpr double kLargeRollerRadius = 34;  // touches its outer wall
inline constexpr double kStemLength = 215;
inline constexpr double kHeadLength = 122;
inline constexpr double kTrackFirstAngle = -21;  // degrees from straight up, + towards the shaft
inline constexpr double kDwellEndAngle = 21;
inline constexpr double kTrackLastAngle = 38.5;

const SideAnchors& anchors(Side side);

// How far set `set` turns a side's whole track towards the shaft, degrees.
double track_turn(Side side, int set);

// Radius about Q0 of the unturned track's centre line at `angle` degrees (clamped to its ends).
double centre_line_radius(double angle);

// Point of the centre line as drawn in `set`; `angle` is measured on the unturned track.
Point centre_line_point(Side side, int set, double angle);

FrameGeometry frame_geometry(int set, int position);

double distance(Point a, Point b);
Point unit(Point v);

}  // namespace frames
