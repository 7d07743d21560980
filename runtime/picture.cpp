#include "runtime/picture.h"

#include "runtime/errors.h"

namespace rt {

Picture::Picture(int width, int height, std::vector<std::uint8_t> pixels, const Palette& palette)
    : width_(width), height_(height), pixels_(std::move(pixels)), palette_(palette) {
  if (width <= 0 || height <= 0 ||
      pixels_.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    raise(ErrorNumber::invalid_picture, "picture pixels do not match its size");
  }
}

}  // namespace rt
