#pragma once
// What the window offers on its title bar, as the hints that X window managers
// read for a window's decorations and the functions they allow it
// (_MOTIF_WM_HINTS: five 32-bit items).

#include <array>

#include "runtime/layout.h"

namespace rt {

using MotifHints = std::array<long, 5>;  // flags, functions, decorations, input mode, status

// A border and a title always, moving always, resizing never (the border is
// fixed); the window menu, close, minimise and maximise as the controls say.
MotifHints motif_hints(const TitleBarControls& controls);

}  // namespace rt
