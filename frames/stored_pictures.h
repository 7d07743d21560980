#pragma once
// The frames as the layout stores them: one picture value per image holder.

#include <cstdint>
#include <span>

#include "frames/frame_numbering.h"

namespace frames {

// The stored picture value of image holder `number`, 1 to kFrameCount (it holds
// frame number - 1); empty for any other number.
std::span<const std::uint8_t> stored_picture(int number);

}  // namespace frames
