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
  if (area.inner().width <= 0 || area.inner().height <= 0) {
    raise(ErrorNumber::failed_call, std::string(layout.name) + " has no room inside its border");
  }
  return area;
}

std::unique_ptr<Window> build_window(const WindowLayout& layout, std::function<Status()> hide) {
  auto picture_box = std::make_unique<PictureBox>(std::string(layout.picture_box.name));
  std::vector<std::unique_ptr<ImageHolder>> holders;
  holders.reserve(layout.image_holders.size());
  for (const ImageHolderLayout& holder : layout.image_holders) {
    holders.push_back(std::make_unique<ImageHolder>(
        std::string(holder.name), decode_stored_picture(holder.picture, holder.name, Picture::Storage::borrow)));
  }
  return std::make_unique<Window>(std::move(picture_box), std::move(holders), std::move(hide));
}

}  // namespace rt
