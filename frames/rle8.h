#pragma once
// RLE8 pixel data of an 8-bit bitmap, rows stored bottom-up.
//
// Codes: (n, c) with n in 1..255 is a run of n pixels c; (0, 0) ends a row; (0, 1) ends the
// bitmap; (0, n) with n in 3..255 is an absolute run of n literal pixels (padded to an even
// byte count; our runs are always even, so there is never a pad byte). (0, 2), a delta,
// is never written.
//
// Every row is written out in full, and each is cut into runs of equal pixels:
//  - a run of two or more pixels outside a literal stretch becomes encoded runs of at
//    most 255 pixels each;
//  - a single pixel opens a literal stretch, which takes in every following run of at
//    most three pixels;
//  - a stretch of four or more pixels becomes absolute runs of an even count (the odd last
//    pixel an encoded run of one); a stretch of one to three pixels becomes encoded runs
//    of one, one per pixel.

#include <cstdint>
#include <span>
#include <vector>

namespace frames {

// Appends the codes of one row (without its end-of-row code).
void encode_rle8_row(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out);

// Appends the whole pixel data of a picture given top-down, `width` pixels a row:
// the rows bottom-up, (0, 0) after each but the last, (0, 1) after the last.
void encode_rle8(std::span<const std::uint8_t> pixels, int width,
                 std::vector<std::uint8_t>& out);

}  // namespace frames
