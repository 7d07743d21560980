#pragma once
// Outlines of round ends as closed chains of pixels. A round end's rim is the ring that
// draw_circle draws about its centre, so every outline about that end, and a ring drawn
// whole there, share its pixels exactly. A side that peels off a ring tangentially runs
// beside it for a few pixels, touching it now and then; it leaves at the last of those
// that touch it, and the ring runs on to there, so nothing of the side shows beside the
// ring but the one or two pixels it leaves with.

#include <vector>

#include "frames/outline.h"
#include "frames/raster.h"

namespace frames {

// The pixels of `side` from `from_ring` to `to_ring`, traced from its points: the first
// touches `from_ring` and the second does not; the last touches `to_ring` and the one
// before it does not.
std::vector<Pixel> side_pixels(const Piece& side, const std::vector<Pixel>& from_ring,
                               const std::vector<Pixel>& to_ring);

// The closed chain, one pixel thin, of an outline of four pieces as the part outlines build
// them: a rim arc about one end, a side, a rim arc about the other end, the other side back.
std::vector<Pixel> rimmed_outline_pixels(const Outline& outline);

}  // namespace frames
