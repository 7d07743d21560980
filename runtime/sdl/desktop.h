#pragma once
// The real window: an SDL window on the user's X display.

#include <memory>

#include "runtime/desktop.h"

namespace rt {

// Starts SDL's video on the display it finds. No display raises the desktop error.
std::unique_ptr<Desktop> make_sdl_desktop();

}  // namespace rt
