#pragma once
// How the frames are numbered and held: three sets of eighteen shaft positions,
// frame 18 x set + position, carried by the image holder numbered one higher
// (Image1 carries frame 0, Image54 frame 53).

#include <string>
#include <string_view>

namespace frames {

inline constexpr int kPositionsPerSet = 18;  // one turn of the shaft in steps of 20 degrees
inline constexpr int kSetCount = 3;
inline constexpr int kFrameCount = kSetCount * kPositionsPerSet;

inline constexpr std::string_view kHolderNamePrefix = "Image";

// The name of image holder `number`, 1 to kFrameCount.
inline std::string holder_name(int number) { return std::string(kHolderNamePrefix) + std::to_string(number); }

}  // namespace frames
