#include "runtime/window_builder.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "runtime/picture.h"

namespace rt {

int twips_to_pixels(int twips) {
  // Nearest pixel; layouts are drawn on whole pixels, so this is normally exact.
  const int half = kTwipsPerPixel / 2;
  return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

PictureAreaGeometry picture_area_geometry(const PictureBoxLayout& layout) {
  PictureAreaGeometry area{.left = twips_to_pixels(layout.left),
                           .top = twips_to_pixels(layout.top),
                           .width = twips_to_pixels(layout.width),
                           .height = twips_to_pixels(layout.height),
                           .border = layout.sunken_border ? kSunkenBorderPixels : 0};
  if (area.width - 2 * area.border <= 0 || area.height - 2 * area.border <= 0) {
    raise(ErrorNumber::failed_call, std::string(layout.name) + " has no room inside its border");
  }
  return area;
}

namespace {

// Decoding is most of the cost of building a window, and each picture is
// independent of the others, so the pictures are decoded on all cores before
// any program code runs. The first failure in creation order is the one raised.
std::vector<PictureRef> decode_pictures(std::span<const ImageHolderLayout> holders) {
  std::vector<PictureRef> pictures(holders.size());
  std::vector<std::exception_ptr> failures(holders.size());
  std::atomic<std::size_t> next{0};
  auto decode_next = [&] {
    for (std::size_t i; (i = next++) < holders.size();) {
      try {
        pictures[i] = decode_stored_picture(holders[i].picture, holders[i].name);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  };
  const std::size_t workers =
      std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, holders.size() / 4 + 1);
  {
    std::vector<std::jthread> pool;
    for (std::size_t w = 1; w < workers; ++w) pool.emplace_back(decode_next);
    decode_next();
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return pictures;
}

}  // namespace

std::unique_ptr<Window> build_window(const WindowLayout& layout, std::function<Status()> hide) {
  auto picture_box = std::make_unique<PictureBox>(std::string(layout.picture_box.name));
  std::vector<PictureRef> pictures = decode_pictures(layout.image_holders);
  std::vector<std::unique_ptr<ImageHolder>> holders;
  holders.reserve(layout.image_holders.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    holders.push_back(std::make_unique<ImageHolder>(std::string(layout.image_holders[i].name),
                                                    std::move(pictures[i])));
  }
  return std::make_unique<Window>(std::move(picture_box), std::move(holders), std::move(hide));
}

}  // namespace rt
