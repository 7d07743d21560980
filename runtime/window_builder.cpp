#include "runtime/window_builder.h"

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

std::unique_ptr<Window> build_window(const WindowLayout& layout, std::function<Status()> hide,
                                     PictureDecoding* decoding) {
  auto picture_box = std::make_unique<PictureBox>(std::string(layout.picture_box.name));
  std::vector<PictureRef> pictures =
      decoding != nullptr ? decoding->take() : decode_stored_pictures(layout.image_holders);
  std::vector<std::unique_ptr<ImageHolder>> holders;
  holders.reserve(layout.image_holders.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    holders.push_back(std::make_unique<ImageHolder>(std::string(layout.image_holders[i].name),
                                                    std::move(pictures[i])));
  }
  return std::make_unique<Window>(std::move(picture_box), std::move(holders), std::move(hide));
}

}  // namespace rt
