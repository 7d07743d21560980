#include "frames/frame_files.h"

#include "frames/bitmap.h"
#include "frames/drawing.h"
#include "frames/rle8.h"

namespace frames {

std::vector<std::uint8_t> frame_bitmap(int frame) {
  const Canvas canvas = draw_frame(frame / kPositionsPerSet, frame % kPositionsPerSet);
  std::vector<std::uint8_t> rle;
  rle.reserve(32 * 1024);
  encode_rle8(canvas.pixels, kFrameWidth, rle);
  return bitmap_file(kFrameWidth, kFrameHeight, rle);
}

std::vector<std::uint8_t> frame_picture(int frame) { return picture_value(frame_bitmap(frame)); }

}  // namespace frames
