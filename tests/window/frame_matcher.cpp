#include "tests/window/frame_matcher.h"

#include <cstring>

#include "frames/stored_pictures.h"
#include "runtime/picture.h"

namespace xtest {
namespace {

bool is_client_area(const RgbImage& image) {
  return image.width == kClientWidth && image.height == kClientHeight;
}

std::string describe(Rgb c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

}  // namespace

RgbImage colours_of(const rt::Picture& picture) {
  RgbImage image{picture.width(), picture.height(), {}};
  image.pixels.reserve(static_cast<std::size_t>(picture.width()) * picture.height());
  for (const std::uint8_t index : picture.pixels()) {
    const rt::Rgb& c = picture.palette()[index];
    image.pixels.push_back({c.r, c.g, c.b});
  }
  return image;
}

FrameMatcher::FrameMatcher() {
  for (int number = 1; number <= frames::kFrameCount; ++number) {
    const rt::PictureRef picture =
        rt::decode_stored_picture(frames::stored_picture(number), frames::holder_name(number));
    const RgbImage colours = colours_of(*picture);
    std::vector<Rgb> visible;
    visible.reserve(static_cast<std::size_t>(kVisibleFrameColumns) * kFrameRows);
    for (int y = 0; y < kFrameRows; ++y) {
      for (int x = 0; x < kVisibleFrameColumns; ++x) visible.push_back(colours.at(x, y));
    }
    frames_.push_back(std::move(visible));
  }
}

int FrameMatcher::frame_shown(const RgbImage& shot) const {
  if (!is_client_area(shot)) return -1;
  static_assert(sizeof(Rgb) == 3, "rows are compared as bytes");
  constexpr std::size_t kRowBytes = kVisibleFrameColumns * sizeof(Rgb);
  for (int frame = 0; frame < static_cast<int>(frames_.size()); ++frame) {
    const Rgb* want = frames_[frame].data();
    bool same = true;
    for (int y = 0; same && y < kFrameRows; ++y) {
      const Rgb* got = &shot.pixels[static_cast<std::size_t>(kBorder + y) * shot.width + kBorder];
      same = std::memcmp(got, want + static_cast<std::size_t>(y) * kVisibleFrameColumns, kRowBytes) == 0;
    }
    if (same) return frame;
  }
  return -1;
}

std::string FrameMatcher::first_difference(const RgbImage& shot, int frame) const {
  if (!is_client_area(shot)) {
    return "the screenshot is " + std::to_string(shot.width) + " x " + std::to_string(shot.height);
  }
  for (int y = kBorder; y < kClientHeight; ++y) {
    for (int x = kBorder; x < kBorder + kVisibleFrameColumns; ++x) {
      const int fy = y - kBorder;
      const Rgb want =
          fy < kFrameRows ? frames_[frame][static_cast<std::size_t>(fy) * kVisibleFrameColumns + (x - kBorder)]
                          : kBackground;
      if (!(shot.at(x, y) == want)) {
        return "client pixel " + std::to_string(x) + "," + std::to_string(y) + " is " + describe(shot.at(x, y)) +
               ", not " + describe(want);
      }
    }
  }
  return "";
}

const FrameMatcher& frame_matcher() {
  static const FrameMatcher matcher;
  return matcher;
}

bool same_inner_area(const RgbImage& a, const RgbImage& b) {
  if (!is_client_area(a) || !is_client_area(b)) return false;
  for (int y = kBorder; y < kClientHeight; ++y) {
    for (int x = kBorder; x < kClientWidth - kBorder; ++x) {
      if (!(a.at(x, y) == b.at(x, y))) return false;
    }
  }
  return true;
}

}  // namespace xtest
