#pragma once
// The picture area as the SDL desktop paints it: a sunken two-tone border, the
// picture at the inner area's top-left, unscaled, and the face colour wherever
// the picture does not reach.

#include "runtime/desktop.h"
#include "runtime/picture.h"
#include "runtime/sdl/canvas.h"

namespace rt {

// The face of a three-dimensional control; also what X shows in the window
// before the first paint.
inline constexpr Rgb kFaceColour{192, 192, 192};

// Paints the area (no picture: the face alone) and shows it. False if the canvas
// had no pixels or could not show them: the picture did not reach the screen.
bool paint_picture_area(WindowCanvas& canvas, const PictureAreaGeometry& area, const Picture* picture);

}  // namespace rt
