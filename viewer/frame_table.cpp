#include "viewer/frame_table.h"

#include <string>

namespace viewer {

const rt::PictureRef& FrameTable::at(std::int32_t index) const {
  // One unsigned test covers both ends: a negative index wraps to a huge number.
  if (static_cast<std::uint32_t>(index) >= static_cast<std::uint32_t>(kFrameCount)) {
    rt::raise(rt::ErrorNumber::bounds,
              "frame index " + std::to_string(index) + " outside 0 to " +
                  std::to_string(kFrameCount - 1));
  }
  return entries_[static_cast<std::size_t>(index)];
}

}  // namespace viewer
