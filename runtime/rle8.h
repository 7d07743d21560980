#pragma once
// The RLE8 pixel data of an 8-bit bitmap.
//
// The data holds the rows bottom-up, as two-byte codes:
//   (n, c), n in 1..255   a run of n pixels of index c
//   (0, 0)                end of row: on to the start of the row above
//   (0, 1)                end of bitmap
//   (0, 2, dx, dy)        delta: dx pixels right and dy rows up
//   (0, n), n in 3..255   n literal pixels, padded to an even byte count
// Pixels that no code sets are index 0.

#include <cstddef>
#include <cstdint>
#include <span>

namespace rt {

inline constexpr const char* kRle8EndsEarly = "bitmap pixel data ends before its end code";
inline constexpr const char* kRle8Outside = "bitmap pixel data runs outside the picture";

// Walks the codes of `data` for a width x height picture and hands each stretch
// of pixels to `sink`, its row counted from the top:
//   sink.run(row, x, count, index)    `count` pixels of one index
//   sink.literal(row, x, indices)     a span of indices
// Returns what is wrong with the data, or nullptr once its end code is reached.
// A stretch that would not fit in the picture is never handed on, and nothing is
// read outside `data`.
template <class Sink>
const char* walk_rle8(std::span<const std::uint8_t> data, std::size_t width, std::size_t height, Sink& sink) {
  constexpr std::uint8_t kEndOfRow = 0, kEndOfBitmap = 1, kDelta = 2;
  std::size_t at = 0;          // the next byte of `data`
  std::size_t x = 0, row = 0;  // where the next pixel goes; row 0 is the bottom one
  const auto left = [&] { return data.size() - at; };
  const auto fits = [&](std::size_t count) { return row < height && count <= width - x; };

  for (;;) {
    if (left() < 2) return kRle8EndsEarly;
    const std::uint8_t count = data[at], code = data[at + 1];
    at += 2;
    if (count > 0) {
      if (!fits(count)) return kRle8Outside;
      sink.run(height - 1 - row, x, count, code);
      x += count;
      continue;
    }
    switch (code) {
      case kEndOfRow:
        x = 0;
        ++row;
        break;
      case kEndOfBitmap:
        return nullptr;
      case kDelta: {
        if (left() < 2) return kRle8EndsEarly;
        const std::size_t dx = data[at], dy = data[at + 1];
        at += 2;
        if (row > height || dx > width - x || dy > height - row) return kRle8Outside;
        x += dx;
        row += dy;
        break;
      }
      default: {  // `code` literal pixels
        const std::size_t padded = code + (code & 1u);
        if (left() < padded) return kRle8EndsEarly;
        if (!fits(code)) return kRle8Outside;
        sink.literal(height - 1 - row, x, data.subspan(at, code));
        at += padded;
        x += code;
      }
    }
  }
}

}  // namespace rt
