#include "runtime/sdl/blit.h"

#include <SDL.h>

#include <algorithm>
#include <array>

#include "runtime/picture.h"

namespace rt {
namespace {

// Writes runs of palette colours into the target, cut to the rectangle of the
// picture that shows.
class RunWriter {
 public:
  RunWriter(const Picture& picture, const PixelTarget& target, int x, int y, std::size_t width, std::size_t height)
      : origin_(target.pixels + std::ptrdiff_t(y) * target.pitch + std::ptrdiff_t(x) * target.bytes_per_pixel),
        pitch_(target.pitch),
        bytes_per_pixel_(target.bytes_per_pixel),
        width_(width),
        height_(height) {
    for (std::size_t i = 0; i < colours_.size(); ++i) colours_[i] = target.masks.value(picture.palette()[i]);
  }

  void run(std::size_t row, std::size_t x, std::size_t count, std::uint8_t index) {
    if (row >= height_ || x >= width_) return;
    fill_pixels(at(row, x), std::min(count, width_ - x), bytes_per_pixel_, colours_[index]);
  }

  void literal(std::size_t row, std::size_t x, std::span<const std::uint8_t> indices) {
    for (std::size_t i = 0; i < indices.size(); ++i) run(row, x + i, 1, indices[i]);
  }

  // The whole rectangle in the colour of index 0, for pixels the data leaves unset.
  void clear() {
    for (std::size_t row = 0; row < height_; ++row) fill_pixels(at(row, 0), width_, bytes_per_pixel_, colours_[0]);
  }

 private:
  std::uint8_t* at(std::size_t row, std::size_t x) const {
    return origin_ + std::ptrdiff_t(row) * pitch_ + std::ptrdiff_t(x) * bytes_per_pixel_;
  }

  std::uint8_t* origin_;
  std::ptrdiff_t pitch_;
  int bytes_per_pixel_;
  std::size_t width_, height_;
  std::array<std::uint32_t, 256> colours_{};
};

}  // namespace

void blit_picture(const Picture& picture, const PixelTarget& target, int x, int y, int width, int height) {
  width = std::min({width, picture.width(), target.width - x});
  height = std::min({height, picture.height(), target.height - y});
  if (x < 0 || y < 0 || width <= 0 || height <= 0) return;
  RunWriter writer(picture, target, x, y, std::size_t(width), std::size_t(height));
  if (!picture.covers_every_pixel()) writer.clear();
  picture.draw(writer);
}

PixelTarget pixels_of(SDL_Surface* surface) {
  const SDL_PixelFormat& format = *surface->format;
  return {.pixels = static_cast<std::uint8_t*>(surface->pixels),
          .pitch = surface->pitch,
          .bytes_per_pixel = format.BytesPerPixel,
          .width = surface->w,
          .height = surface->h,
          .masks = {.red = format.Rmask, .green = format.Gmask, .blue = format.Bmask, .opaque = format.Amask}};
}

}  // namespace rt
