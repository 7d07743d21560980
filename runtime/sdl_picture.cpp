// Decoding stored pictures with SDL's bitmap loader (no SDL_Init needed).

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "runtime/errors.h"
#include "runtime/layout.h"
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

// The pictures of a layout, decoded by workers that take the next one in turn.
// The workers are SDL's threads, so that SDL frees what it keeps for each of
// them when it ends.
struct PictureDecoding::Batch {
  std::span<const ImageHolderLayout> holders;
  std::vector<PictureRef> pictures;
  std::vector<std::exception_ptr> failures;
  std::atomic<std::size_t> next{0};
  std::vector<SDL_Thread*> threads{};

  void work() {
    for (std::size_t i; (i = next++) < holders.size();) {
      try {
        pictures[i] = decode_stored_picture(holders[i].picture, holders[i].name);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  }
  static int worker(void* batch) {
    static_cast<Batch*>(batch)->work();
    return 0;
  }
  void join() {
    for (SDL_Thread* thread : threads) SDL_WaitThread(thread, nullptr);
    threads.clear();
  }
};

PictureDecoding::PictureDecoding(std::span<const ImageHolderLayout> holders)
    : batch_(new Batch{.holders = holders,
                       .pictures = std::vector<PictureRef>(holders.size()),
                       .failures = std::vector<std::exception_ptr>(holders.size())}) {
  // A worker for a few pictures at least; none where this thread alone will do.
  const std::size_t workers = std::clamp<std::size_t>(SDL_GetCPUCount(), 1, holders.size() / 4 + 1);
  for (std::size_t w = 1; w < workers; ++w) {
    if (SDL_Thread* thread = SDL_CreateThread(Batch::worker, "decode", batch_.get())) {
      batch_->threads.push_back(thread);
    }
  }
}

PictureDecoding::~PictureDecoding() {
  batch_->next = batch_->holders.size();  // whatever is not begun is not wanted
  batch_->join();
}

std::vector<PictureRef> PictureDecoding::take() {
  batch_->work();  // with no thread to spare, this one decodes them all
  batch_->join();
  for (const std::exception_ptr& failure : batch_->failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return std::move(batch_->pictures);
}

}  // namespace rt
