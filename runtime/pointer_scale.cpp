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
  return {.inner = area.inner(),
          .scale_left = layout.scale_left,
          .scale_top = layout.scale_top,
          .scale_width = layout.scale_width,
          .scale_height = layout.scale_height};
}

bool over_inner_area(const PointerScale& s, int x, int y) {
  const PixelRect& r = s.inner;
  return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

float user_x(const PointerScale& s, int x) {
  return to_user(x, s.inner.left, s.inner.width, s.scale_left, s.scale_width);
}

float user_y(const PointerScale& s, int y) {
  return to_user(y, s.inner.top, s.inner.height, s.scale_top, s.scale_height);
}

}  // namespace rt
