#pragma once
// Outlines of the mechanism's parts that join two round ends: links, rockers and rods.

#include "frames/outline.h"

namespace frames {

// The round ends of the parts.
inline constexpr double kBigEndRadius = 54, kSmallEndRadius = 27;      // rods, about E and P
inline constexpr double kLinkEyeRadius = 25;                           // connecting link about P
inline constexpr double kRockerFulcrumEnd = 27, kRockerEyeEnd = 21.5;  // rocker; links about Q
inline constexpr double kValveLinkPinEnd = 18;                         // valve link about V

// Each is one closed chain: the rim about `a` on its far side from `b`, one side, the rim
// about `b` on its far side from `a`, the other side back.

// A link: the straight lines touching both ends.
Outline link_outline(Point a, double ra, Point b, double rb);

// A rocker: inward-curving necks, each an arc touching both rims.
Outline rocker_outline(Point a, double ra, Point b, double rb);

// A rod: side curves that leave each rim along it and sag a little towards the centres.
Outline rod_outline(Point a, double ra, Point b, double rb);

}  // namespace frames
