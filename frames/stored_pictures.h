#pragma once
// The 54 frames as the layout stores them: one picture value per image holder.

#include <cstdint>
#include <span>

namespace frames {

inline constexpr int kFrameCount = 54;

// The stored picture value of image holder Image<number>, number 1..54 (frame number - 1).
std::span<const std::uint8_t> stored_picture(int number);

}  // namespace frames
