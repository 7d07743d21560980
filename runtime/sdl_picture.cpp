// Decoding stored pictures with SDL's bitmap loader (no SDL_Init needed).

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/errors.h"
#include "runtime/picture.h"
#include "runtime/stored_picture_value.h"

namespace rt {
namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

}  // namespace

PictureRef decode_stored_picture(std::span<const std::uint8_t> value, std::string_view holder) {
  const BitmapInfo bitmap = check_stored_picture(value, holder);
  const auto fail = [&](const std::string& what) {
    raise(ErrorNumber::invalid_picture, std::string(holder) + ": " + what);
  };

  SDL_RWops* stream = SDL_RWFromConstMem(bitmap.file.data(), static_cast<int>(bitmap.file.size()));
  if (stream == nullptr) fail(std::string("bitmap could not be opened: ") + SDL_GetError());
  const std::unique_ptr<SDL_Surface, SurfaceFree> surface(SDL_LoadBMP_RW(stream, 1));
  if (!surface) fail(std::string("bitmap could not be decoded: ") + SDL_GetError());

  const SDL_PixelFormat* format = surface->format;
  if (format->BitsPerPixel != 8 || format->palette == nullptr) fail("bitmap did not decode to 8-bit pixels");
  if (surface->w != bitmap.width || surface->h != bitmap.height) fail("bitmap decoded to the wrong size");

  Picture::Palette palette{};
  const int colours = std::min(format->palette->ncolors, static_cast<int>(palette.size()));
  for (int i = 0; i < colours; ++i) {
    const SDL_Color& c = format->palette->colors[i];
    palette[static_cast<std::size_t>(i)] = {c.r, c.g, c.b};
  }

  // SDL has already turned the bottom-up rows the right way up.
  const auto width = static_cast<std::size_t>(surface->w);
  std::vector<std::uint8_t> pixels(width * static_cast<std::size_t>(surface->h));
  const auto* rows = static_cast<const std::uint8_t*>(surface->pixels);
  for (int y = 0; y < surface->h; ++y) {
    std::memcpy(pixels.data() + width * static_cast<std::size_t>(y),
                rows + static_cast<std::ptrdiff_t>(y) * surface->pitch, width);
  }
  return std::make_shared<const Picture>(surface->w, surface->h, std::move(pixels), palette);
}

}  // namespace rt
