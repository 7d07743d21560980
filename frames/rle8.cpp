#include "frames/rle8.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace frames {
namespace {

constexpr std::size_t kMaxRun = 255;
constexpr std::size_t kMaxAbsolute = 254;  // the largest even count a code can hold
constexpr std::size_t kMinAbsolute = 4;    // 3 would need a pad byte, 2 is a delta
constexpr std::size_t kLongestInStretch = 3;
constexpr std::uint8_t kEscape = 0, kEndOfRow = 0, kEndOfBitmap = 1;

// Length of the run of equal pixels starting at `from`.
std::size_t run_length(std::span<const std::uint8_t> row, std::size_t from) {
  std::size_t to = from + 1;
  while (to < row.size() && row[to] == row[from]) ++to;
  return to - from;
}

void put_encoded(std::size_t count, std::uint8_t pixel, std::vector<std::uint8_t>& out) {
  while (count > 0) {
    const std::size_t n = std::min(count, kMaxRun);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(pixel);
    count -= n;
  }
}

void put_literal(std::span<const std::uint8_t> stretch, std::vector<std::uint8_t>& out) {
  if (stretch.size() < kMinAbsolute) {
    for (std::uint8_t pixel : stretch) put_encoded(1, pixel, out);
    return;
  }
  // Longer than one code can hold only in pictures unlike ours; then several codes.
  while (stretch.size() >= kMinAbsolute) {
    const std::size_t n = std::min(stretch.size() & ~std::size_t{1}, kMaxAbsolute);
    assert(n % 2 == 0 && n >= kMinAbsolute && n <= kMaxAbsolute);
    out.push_back(kEscape);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), stretch.begin(), stretch.begin() + n);
    stretch = stretch.subspan(n);
  }
  for (std::uint8_t pixel : stretch) put_encoded(1, pixel, out);
}

}  // namespace

void encode_rle8_row(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out) {
  std::size_t at = 0;
  while (at < row.size()) {
    const std::size_t run = run_length(row, at);
    if (run >= 2) {
      put_encoded(run, row[at], out);
      at += run;
      continue;
    }
    std::size_t end = at + 1;
    while (end < row.size()) {
      const std::size_t next = run_length(row, end);
      if (next > kLongestInStretch) break;
      end += next;
    }
    put_literal(row.subspan(at, end - at), out);
    at = end;
  }
}

void encode_rle8(std::span<const std::uint8_t> pixels, int width,
                 std::vector<std::uint8_t>& out) {
  assert(width > 0 && pixels.size() % std::size_t(width) == 0);
  const std::size_t w = std::size_t(width), rows = pixels.size() / w;
  for (std::size_t i = 0; i < rows; ++i) {
    encode_rle8_row(pixels.subspan((rows - 1 - i) * w, w), out);
    out.push_back(kEscape);
    out.push_back(i + 1 < rows ? kEndOfRow : kEndOfBitmap);
  }
}

}  // namespace frames
