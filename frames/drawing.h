#pragma once
// The line drawing of the mechanism for one frame.

#include "frames/geometry.h"
#include "frames/raster.h"

namespace frames {

// Everything drawn lies within these bounds (inclusive), so columns 0..3, 565..599 and
// rows 0..41, 553..561 stay white.
inline constexpr int kDrawnLeft = 4, kDrawnRight = 564, kDrawnTop = 42, kDrawnBottom = 552;

Canvas draw_frame(int set, int position);

}  // namespace frames
