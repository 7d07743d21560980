#pragma once
// The window's table of frames: counted references to the pictures that the image
// holders hold, shared and never copied.

#include <array>
#include <cstdint>

#include "frames/frame_numbering.h"
#include "runtime/runtime.h"

namespace viewer {

using frames::kFrameCount;
using frames::kPositionsPerSet;

class FrameTable {
 public:
  // Loading and the first show use fixed indices, 0 to kFrameCount - 1, which
  // need no check.
  void store(int index, rt::PictureRef picture) { entries_[index] = std::move(picture); }
  const rt::PictureRef& unchecked(int index) const { return entries_[index]; }

  // A computed index: anything outside 0 to kFrameCount - 1, negatives included,
  // raises the bounds error and reads no entry.
  const rt::PictureRef& at(std::int32_t index) const;

 private:
  std::array<rt::PictureRef, kFrameCount> entries_{};
};

}  // namespace viewer
