#pragma once
// The picture area's user scale: client-area pixels to the coordinates that its
// pointer events report.

#include "runtime/desktop.h"
#include "runtime/layout.h"

namespace rt {

struct PointerScale {
  PixelRect inner{};  // the picture area's inner area, in client-area pixels
  float scale_left = 0, scale_top = 0, scale_width = 0, scale_height = 0;
};

PointerScale pointer_scale(const PictureAreaGeometry& area, const PictureBoxLayout& layout);

bool over_inner_area(const PointerScale& scale, int x, int y);

// The user coordinates of client pixel (x, y); pixels outside the inner area
// continue the scale beyond its edges (negative to the left and above).
float user_x(const PointerScale& scale, int x);
float user_y(const PointerScale& scale, int y);

}  // namespace rt
