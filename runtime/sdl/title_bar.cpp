#include "runtime/sdl/title_bar.h"

namespace rt {
namespace {

// The bits as the Motif window manager defined them, and every other reads them.
constexpr long kFunctionsGiven = 1 << 0, kDecorationsGiven = 1 << 1;
constexpr long kMayMove = 1 << 2, kMayMinimise = 1 << 3, kMayMaximise = 1 << 4, kMayClose = 1 << 5;
constexpr long kBorder = 1 << 1, kTitle = 1 << 3, kMenu = 1 << 4, kMinimiseButton = 1 << 5,
               kMaximiseButton = 1 << 6;

}  // namespace

MotifHints motif_hints(const TitleBarControls& controls) {
  long functions = kMayMove, decorations = kBorder | kTitle;
  if (controls.control_box) functions |= kMayClose, decorations |= kMenu;
  if (controls.min_button) functions |= kMayMinimise, decorations |= kMinimiseButton;
  if (controls.max_button) functions |= kMayMaximise, decorations |= kMaximiseButton;
  return {kFunctionsGiven | kDecorationsGiven, functions, decorations, 0, 0};
}

}  // namespace rt
