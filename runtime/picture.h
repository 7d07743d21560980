#pragma once
// Picture objects: immutable 8-bit pictures with their palette, made once from the
// layout's stored picture values and shared by counted reference.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/rgb.h"
#include "runtime/rle8.h"

namespace rt {

class Picture {
 public:
  using Palette = std::array<Rgb, 256>;

  // Where the pixel data lives: in a copy of the picture's own, or where it was
  // given, which must then outlive the picture.
  enum class Storage { copy, borrow };

  // rle8: the pixel data, kept as it is stored (runtime/rle8.h): the frames are
  // line drawings, a small fraction of their decoded size. Data that does not
  // decode cleanly to width x height raises invalid_picture saying what is wrong.
  Picture(int width, int height, std::span<const std::uint8_t> rle8, const Palette& palette,
          Storage storage = Storage::copy);
  Picture(const Picture&) = delete;  // rle8_ may point into copy_
  Picture& operator=(const Picture&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  const Palette& palette() const { return palette_; }
  // Whether the data sets every pixel, leaving none at index 0 by default.
  bool covers_every_pixel() const { return covers_every_pixel_; }
  // Hands every stretch of pixels to `sink`, as walk_rle8 does.
  template <class Sink>
  void draw(Sink& sink) const {
    walk_rle8(rle8_, static_cast<std::size_t>(width_), static_cast<std::size_t>(height_), sink);
  }
  // The palette indices, width * height of them, rows from the top; decoded anew
  // on each call.
  std::vector<std::uint8_t> pixels() const;

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> copy_;
  std::span<const std::uint8_t> rle8_;
  Palette palette_;
  bool covers_every_pixel_ = false;
};

using PictureRef = std::shared_ptr<const Picture>;

// Checks a stored picture value (size field, "lt" tag, length, bitmap headers and
// pixel data) and makes its picture object. A value that fails raises
// invalid_picture with a message naming the holder and what is wrong.
PictureRef decode_stored_picture(std::span<const std::uint8_t> value, std::string_view holder,
                                 Picture::Storage storage = Picture::Storage::copy);

}  // namespace rt
