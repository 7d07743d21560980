#pragma once
// One frame, drawn and stored: frame i shows set i / 18 at position i % 18.

#include <cstdint>
#include <vector>

namespace frames {

std::vector<std::uint8_t> frame_bitmap(int frame);   // a complete bitmap file
std::vector<std::uint8_t> frame_picture(int frame);  // that file wrapped as a picture value

}  // namespace frames
