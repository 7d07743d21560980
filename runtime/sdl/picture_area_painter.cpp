#include "runtime/sdl/picture_area_painter.h"

#include <algorithm>

#include "runtime/sdl/blit.h"

namespace rt {
namespace {

// The two rings of a sunken edge: shadow above and left, light below and right.
constexpr Rgb kOuterShadow{128, 128, 128};
constexpr Rgb kInnerShadow{64, 64, 64};
constexpr Rgb kOuterLight{255, 255, 255};
constexpr Rgb kInnerLight{223, 223, 223};

void draw_border(const PixelTarget& target, const PictureAreaGeometry& area) {
  for (int ring = 0; ring < area.border; ++ring) {
    const Rgb shadow = ring == 0 ? kOuterShadow : kInnerShadow;
    const Rgb light = ring == 0 ? kOuterLight : kInnerLight;
    const int x = area.left + ring, y = area.top + ring;
    const int w = area.width - 2 * ring, h = area.height - 2 * ring;
    fill_rect(target, x, y, w - 1, 1, shadow);         // top
    fill_rect(target, x, y + 1, 1, h - 2, shadow);     // left
    fill_rect(target, x, y + h - 1, w, 1, light);      // bottom
    fill_rect(target, x + w - 1, y, 1, h - 1, light);  // right
  }
}

}  // namespace

bool paint_picture_area(WindowCanvas& canvas, const PictureAreaGeometry& area, const Picture* picture) {
  PixelTarget* target = canvas.pixels();
  if (target == nullptr) return false;
  draw_border(*target, area);
  const PixelRect inner = area.inner();
  int covered_rows = 0;
  if (picture != nullptr) {
    const int shown_width = std::min(picture->width(), inner.width);
    covered_rows = std::min(picture->height(), inner.height);
    blit_picture(*picture, *target, inner.left, inner.top, shown_width, covered_rows);
    fill_rect(*target, inner.left + shown_width, inner.top, inner.width - shown_width, covered_rows, kFaceColour);
  }
  fill_rect(*target, inner.left, inner.top + covered_rows, inner.width, inner.height - covered_rows, kFaceColour);
  return canvas.show();
}

}  // namespace rt
