#pragma once
// Which of the 54 frames a screenshot of the program's client area shows: its
// picture area compared pixel for pixel with each built-in frame.

#include <string>
#include <vector>

#include "tests/window/ppm.h"

namespace rt {
class Picture;
}

namespace xtest {

// A picture's colours, as a screenshot of it reads them.
RgbImage colours_of(const rt::Picture& picture);

inline constexpr int kClientWidth = 571, kClientHeight = 566;
// The picture area's sunken border; the frame's top-left pixel lies just inside it.
inline constexpr int kBorder = 2;
// The inner area shows frame columns 0..566 and all 562 frame rows; below them,
// two rows of the picture area's background.
inline constexpr int kVisibleFrameColumns = 567, kFrameRows = 562;
inline constexpr Rgb kBackground{192, 192, 192};

inline constexpr int kPositions = 18;  // frames per set: one turn of the shaft
inline constexpr int kSets = 3;

// Frame index of a set and a position, the position taken round the turn.
inline int frame_index(int set, int position) {
  return kPositions * set + ((position % kPositions) + kPositions) % kPositions;
}
inline int set_of(int frame) { return frame / kPositions; }
inline int position_of(int frame) { return frame % kPositions; }

class FrameMatcher {
 public:
  FrameMatcher();  // decodes the built-in frames once
  // The frame that a screenshot of the client area shows, or -1 for none.
  int frame_shown(const RgbImage& shot) const;
  // Where the screenshot differs from `frame` shown in the picture area, with the
  // background below it; "" where it shows that frame pixel for pixel.
  std::string first_difference(const RgbImage& shot, int frame) const;

 private:
  // The visible part of each frame as the screen shows it, rows from the top.
  std::vector<std::vector<Rgb>> frames_;
};

const FrameMatcher& frame_matcher();

// Whether two screenshots of the client area show the same pixels inside the
// picture area's border.
bool same_inner_area(const RgbImage& a, const RgbImage& b);

}  // namespace xtest
