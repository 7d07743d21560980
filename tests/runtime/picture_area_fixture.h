#pragma once
// The picture area as the window's layout gives it: 8565 x 11520 twips, sunken,
// scale 14.8828 x 29.84375, and the pointer scale the runtime makes of it.

#include <bit>

#include "runtime/layout.h"
#include "runtime/pointer_scale.h"
#include "runtime/window_builder.h"

namespace fixture {

inline rt::PictureBoxLayout picture_area() {
  return {.name = "Picture1",
          .width = 8565,
          .height = 11520,
          .sunken_border = true,
          .scale_width = std::bit_cast<float>(0x416E1FF3u),
          .scale_height = std::bit_cast<float>(0x41EEC000u)};
}

inline rt::PointerScale picture_area_scale() {
  return rt::pointer_scale(rt::picture_area_geometry(picture_area()), picture_area());
}

}  // namespace fixture
