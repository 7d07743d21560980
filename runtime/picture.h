#pragma once
// Picture objects: immutable 8-bit pictures with their palette, made once from the
// layout's stored picture values and shared by counted reference.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace rt {

class Picture {
 public:
  struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
  };
  using Palette = std::array<Rgb, 256>;

  // pixels: width * height palette indices, rows from the top.
  Picture(int width, int height, std::vector<std::uint8_t> pixels, const Palette& palette);

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint8_t index_at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  std::span<const std::uint8_t> pixels() const { return pixels_; }
  const Palette& palette() const { return palette_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
  Palette palette_;
};

using PictureRef = std::shared_ptr<const Picture>;

// Checks a stored picture value (size field, "lt" tag, length, bitmap header) and
// decodes its bitmap. A value that fails raises invalid_picture with a message
// naming the holder and what is wrong.
PictureRef decode_stored_picture(std::span<const std::uint8_t> value, std::string_view holder);

}  // namespace rt
