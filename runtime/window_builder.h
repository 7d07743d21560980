#pragma once
// Building the window from its layout: the picture area's pixel geometry and the
// image holders, each with its picture decoded once.

#include <functional>
#include <memory>

#include "runtime/desktop.h"
#include "runtime/runtime.h"

namespace rt {

// A picture area's single fixed border with the three-dimensional look.
inline constexpr int kSunkenBorderPixels = 2;

int twips_to_pixels(int twips);

// The picture area in client-area pixels. Raises failed_call if the border leaves
// no inner area.
PictureAreaGeometry picture_area_geometry(const PictureBoxLayout& layout);

// The window with its picture area and the image holders in the layout's order,
// each with the picture object of its stored picture value. The first value in
// that order that fails its checks raises invalid_picture. The pictures read
// their pixel data where the layout's values hold it (a copy would make every
// start touch all 54 frames' data; runtime_bench measures the build), so those
// values must outlive the window and its pictures: a program's layout is built in.
std::unique_ptr<Window> build_window(const WindowLayout& layout, std::function<Status()> hide);

}  // namespace rt
