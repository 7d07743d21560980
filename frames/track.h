#pragma once
// The outline of a curved track: the edge of the band in which the rod pin's rollers run.

#include <vector>

#include "frames/geometry.h"
#include "frames/outline.h"
#include "frames/raster.h"

namespace frames {

// One side's track as drawn in `set` (sets 0 and 1 share theirs), as one closed chain:
// the outer wall from the dwell end, the cap at the ramp's end, the inner wall back, the
// cap at the dwell end.
const Outline& track_pieces(Side side, int set);

// The pixels of that outline.
const std::vector<Pixel>& track_outline(Side side, int set);

}  // namespace frames
