#include "runtime/picture.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/errors.h"
#include "runtime/stored_picture_value.h"

namespace rt {
namespace {

struct PixelCount {
  std::size_t set = 0;
  void run(std::size_t, std::size_t, std::size_t count, std::uint8_t) { set += count; }
  void literal(std::size_t, std::size_t, std::span<const std::uint8_t> indices) { set += indices.size(); }
};

struct Decoder {
  std::uint8_t* pixels;
  std::size_t width;
  void run(std::size_t row, std::size_t x, std::size_t count, std::uint8_t index) {
    std::memset(pixels + row * width + x, index, count);
  }
  void literal(std::size_t row, std::size_t x, std::span<const std::uint8_t> indices) {
    std::copy(indices.begin(), indices.end(), pixels + row * width + x);
  }
};

}  // namespace

Picture::Picture(int width, int height, std::span<const std::uint8_t> rle8, const Palette& palette,
                 Storage storage)
    : width_(width), height_(height), palette_(palette) {
  if (storage == Storage::copy) {
    copy_.assign(rle8.begin(), rle8.end());
    rle8 = copy_;
  }
  rle8_ = rle8;
  if (width <= 0 || height <= 0) raise(ErrorNumber::invalid_picture, "picture has no pixels");
  PixelCount count;
  if (const char* fault = walk_rle8(rle8_, std::size_t(width), std::size_t(height), count)) {
    raise(ErrorNumber::invalid_picture, fault);
  }
  // Stretches never overlap: each starts where the one before it ended, or beyond.
  covers_every_pixel_ = count.set == std::size_t(width) * std::size_t(height);
}

std::vector<std::uint8_t> Picture::pixels() const {
  std::vector<std::uint8_t> pixels(std::size_t(width_) * std::size_t(height_), 0);
  Decoder decoder{pixels.data(), std::size_t(width_)};
  draw(decoder);
  return pixels;
}

PictureRef decode_stored_picture(std::span<const std::uint8_t> value, std::string_view holder,
                                 Picture::Storage storage) {
  const BitmapInfo bitmap = check_stored_picture(value, holder);
  Picture::Palette palette{};
  for (std::size_t i = 0; i < bitmap.palette.size() / 4; ++i) {
    const auto entry = bitmap.palette.subspan(4 * i, 4);  // blue, green, red, unused
    palette[i] = {entry[2], entry[1], entry[0]};
  }
  try {
    return std::make_shared<const Picture>(bitmap.width, bitmap.height, bitmap.pixel_data, palette, storage);
  } catch (const RuntimeError& error) {
    raise(error.number(), std::string(holder) + ": " + error.what());
  }
}

}  // namespace rt
