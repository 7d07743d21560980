#include <SDL.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "runtime/sdl/blit.h"
#include "runtime/sdl/canvas.h"

namespace rt {
namespace {

class SurfaceCanvas final : public WindowCanvas {
 public:
  SurfaceCanvas(SDL_Window* window, const ChannelMasks& masks) : window_(window), masks_(masks) {}

  PixelTarget* pixels() override {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return nullptr;  // the window is gone; close or display loss follows
    if (surface->pixels != prefaulted_) {
      prefault(surface);
      prefaulted_ = surface->pixels;
    }
    target_ = pixels_of(surface);
    return &target_;
  }

  bool show() override { return SDL_UpdateWindowSurface(window_) == 0; }
  ChannelMasks masks() const override { return masks_; }

 private:
  // A new window surface is fresh shared memory. Asking for all its pages at once
  // costs a fraction of taking one fault a page while drawing the first frame
  // (startup_bench shows the difference). Where the system cannot, the faults come
  // as before.
  static void prefault(const SDL_Surface* surface) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(surface->pixels);
    const auto end = begin + static_cast<std::uintptr_t>(surface->pitch) * static_cast<std::uintptr_t>(surface->h);
    const std::uintptr_t first_page = begin & ~(page - 1);
    madvise(reinterpret_cast<void*>(first_page), end - first_page, MADV_POPULATE_WRITE);
  }

  SDL_Window* window_;
  ChannelMasks masks_;
  const void* prefaulted_ = nullptr;  // the pixels of the surface last prefaulted
  PixelTarget target_;
};

}  // namespace

// An indexed surface stands for a visual of changeable colours (PseudoColor):
// not one to draw the frames in.
std::unique_ptr<WindowCanvas> sdl_surface_canvas(SDL_Window* window) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr || SDL_ISPIXELFORMAT_INDEXED(surface->format->format)) return nullptr;
  return std::make_unique<SurfaceCanvas>(window, pixels_of(surface).masks);
}

}  // namespace rt
