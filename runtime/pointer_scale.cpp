#include "runtime/pointer_scale.h"

namespace rt {
namespace {

// Inner pixel i of n spans `extent` units over n pixels: origin + i * extent / n,
// in double and rounded once, so whole steps of the scale come out exact. The
// offset from the inner origin is taken in double too: it holds for every int.
float to_user(int pixel, int inner_origin, int inner_size, float scale_origin, float scale_extent) {
  const double i = double(pixel) - double(inner_origin);
  return static_cast<float>(double(scale_origin) + i * double(scale_extent) / inner_size);
}

}  // namespace

PointerScale pointer_scale(const PictureAreaGeometry& area, const PictureBoxLayout& layout) {
  return {.inner_left = area.left + area.border,
          .inner_top = area.top + area.border,
          .inner_width = area.width - 2 * area.border,
          .inner_height = area.height - 2 * area.border,
          .scale_left = layout.scale_left,
          .scale_top = layout.scale_top,
          .scale_width = layout.scale_width,
          .scale_height = layout.scale_height};
}

bool over_inner_area(const PointerScale& s, int x, int y) {
  return x >= s.inner_left && x < s.inner_left + s.inner_width && y >= s.inner_top &&
         y < s.inner_top + s.inner_height;
}

float user_x(const PointerScale& s, int x) {
  return to_user(x, s.inner_left, s.inner_width, s.scale_left, s.scale_width);
}

float user_y(const PointerScale& s, int y) {
  return to_user(y, s.inner_top, s.inner_height, s.scale_top, s.scale_height);
}

}  // namespace rt
