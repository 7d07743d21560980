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

struct ImageHolderLayout;

// The pictures of the holders, decoded on all cores from the moment this is made:
// decoding is most of the cost of building a window, and it can go on while the
// display is being opened.
class PictureDecoding {
 public:
  explicit PictureDecoding(std::span<const ImageHolderLayout> holders);
  ~PictureDecoding();  // waits for the workers
  PictureDecoding(const PictureDecoding&) = delete;
  PictureDecoding& operator=(const PictureDecoding&) = delete;
  // The pictures in the holders' order, once all are decoded (this thread helps).
  // The first failure in that order is the one raised.
  std::vector<PictureRef> take();

 private:
  struct Batch;
  std::unique_ptr<Batch> batch_;
};

inline std::vector<PictureRef> decode_stored_pictures(std::span<const ImageHolderLayout> holders) {
  return PictureDecoding(holders).take();
}

}  // namespace rt
