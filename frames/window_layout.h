#pragma once
// The built-in layout of the window class ZEMK.

#include "runtime/layout.h"

namespace frames {

const rt::WindowLayout& window_layout();

}  // namespace frames
