#include "runtime/sdl/blit.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "runtime/picture.h"

namespace rt {
namespace {

// Writes runs of palette colours into a locked surface, cut to the rectangle of
// the picture that shows.
class SurfaceWriter {
 public:
  SurfaceWriter(const Picture& picture, SDL_Surface* target, int x, int y, std::size_t width, std::size_t height)
      : origin_(static_cast<std::uint8_t*>(target->pixels) + std::ptrdiff_t(y) * target->pitch +
                std::ptrdiff_t(x) * target->format->BytesPerPixel),
        pitch_(static_cast<std::size_t>(target->pitch)),
        bytes_per_pixel_(target->format->BytesPerPixel),
        width_(width),
        height_(height) {
    for (std::size_t i = 0; i < colours_.size(); ++i) {
      const Picture::Rgb& c = picture.palette()[i];
      colours_[i] = SDL_MapRGB(target->format, c.r, c.g, c.b);
    }
  }

  void run(std::size_t row, std::size_t x, std::size_t count, std::uint8_t index) {
    if (row >= height_ || x >= width_) return;
    fill(row, x, std::min(count, width_ - x), colours_[index]);
  }

  void literal(std::size_t row, std::size_t x, std::span<const std::uint8_t> indices) {
    for (std::size_t i = 0; i < indices.size(); ++i) run(row, x + i, 1, indices[i]);
  }

  // The whole rectangle in the colour of index 0, for pixels the data leaves unset.
  void clear() {
    for (std::size_t row = 0; row < height_; ++row) fill(row, 0, width_, colours_[0]);
  }

 private:
  void fill(std::size_t row, std::size_t x, std::size_t count, Uint32 colour) {
    std::uint8_t* to = origin_ + row * pitch_ + x * bytes_per_pixel_;
    switch (bytes_per_pixel_) {
      case 4:
        std::fill_n(reinterpret_cast<Uint32*>(to), count, colour);
        break;
      case 2:
        std::fill_n(reinterpret_cast<Uint16*>(to), count, static_cast<Uint16>(colour));
        break;
      case 1:
        std::memset(to, static_cast<std::uint8_t>(colour), count);
        break;
      default:  // three bytes a pixel, laid out as SDL lays them out
        for (std::size_t i = 0; i < count; ++i, to += bytes_per_pixel_) {
          if constexpr (SDL_BYTEORDER == SDL_LIL_ENDIAN) {
            to[0] = Uint8(colour), to[1] = Uint8(colour >> 8), to[2] = Uint8(colour >> 16);
          } else {
            to[0] = Uint8(colour >> 16), to[1] = Uint8(colour >> 8), to[2] = Uint8(colour);
          }
        }
    }
  }

  std::uint8_t* origin_;
  std::size_t pitch_;
  std::size_t bytes_per_pixel_;
  std::size_t width_, height_;
  std::array<Uint32, 256> colours_{};
};

}  // namespace

void blit_picture(const Picture& picture, SDL_Surface* target, int x, int y, int width, int height) {
  width = std::min({width, picture.width(), target->w - x});
  height = std::min({height, picture.height(), target->h - y});
  if (x < 0 || y < 0 || width <= 0 || height <= 0) return;
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  SurfaceWriter writer(picture, target, x, y, std::size_t(width), std::size_t(height));
  if (!picture.covers_every_pixel()) writer.clear();
  picture.draw(writer);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

}  // namespace rt
