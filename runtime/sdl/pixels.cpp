#include "runtime/sdl/pixels.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace rt {
namespace {

// Pixel values stored a byte copy at a time: the target's bytes are no array of
// words, and the compiler makes plain stores of it all the same.
template <class Word>
void fill_words(std::uint8_t* to, std::size_t count, Word value) {
  for (std::size_t i = 0; i < count; ++i, to += sizeof(Word)) std::memcpy(to, &value, sizeof(Word));
}

std::uint32_t channel(std::uint32_t mask, std::uint8_t intensity) {
  if (mask == 0) return 0;
  const std::uint64_t full = mask >> std::countr_zero(mask);
  const std::uint64_t level = (intensity * full + 127) / 255;  // the nearest the channel has
  return std::uint32_t(level << std::countr_zero(mask));
}

}  // namespace

std::uint32_t ChannelMasks::value(Rgb colour) const {
  return channel(red, colour.r) | channel(green, colour.g) | channel(blue, colour.b) | opaque;
}

void fill_pixels(std::uint8_t* to, std::size_t count, int bytes_per_pixel, std::uint32_t value) {
  switch (bytes_per_pixel) {
    case 4:
      fill_words(to, count, value);
      break;
    case 2:
      fill_words(to, count, static_cast<std::uint16_t>(value));
      break;
    case 1:
      std::memset(to, static_cast<std::uint8_t>(value), count);
      break;
    default:  // three bytes a pixel, in the machine's byte order
      for (std::size_t i = 0; i < count; ++i, to += 3) {
        if constexpr (std::endian::native == std::endian::little) {
          to[0] = std::uint8_t(value), to[1] = std::uint8_t(value >> 8), to[2] = std::uint8_t(value >> 16);
        } else {
          to[0] = std::uint8_t(value >> 16), to[1] = std::uint8_t(value >> 8), to[2] = std::uint8_t(value);
        }
      }
  }
}

void fill_rect(const PixelTarget& target, int x, int y, int width, int height, Rgb colour) {
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + width, target.width), bottom = std::min(y + height, target.height);
  if (left >= right || top >= bottom) return;
  const std::uint32_t value = target.masks.value(colour);
  for (int row = top; row < bottom; ++row) {
    fill_pixels(target.pixels + row * target.pitch + std::ptrdiff_t(left) * target.bytes_per_pixel,
                std::size_t(right - left), target.bytes_per_pixel, value);
  }
}

}  // namespace rt
