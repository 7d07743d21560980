#pragma once
// The outline of a curved track: the edge of the band in which the rod pin's rollers run.

#include <vector>

#include "frames/geometry.h"

namespace frames {

struct Pixel {
  int x = 0, y = 0;
};

// The outline pixels of one side's track as drawn in `set` (sets 0 and 1 share theirs).
const std::vector<Pixel>& track_outline(Side side, int set);

}  // namespace frames
