#include "runtime/screen.h"

#include <cstdio>
#include <exception>
#include <optional>

#include "runtime/desktop.h"
#include "runtime/picture.h"
#include "runtime/sdl_desktop.h"

namespace rt {

// Exit status when the desktop cannot even be made.
constexpr int kNoDesktopStatus = 1;

int run_on_screen(const ProjectRecord& project) {
  try {
    // Connecting to the display takes about as long as decoding the pictures:
    // both go on at once.
    std::optional<PictureDecoding> decoding;
    if (project.layout != nullptr) decoding.emplace(project.layout->image_holders);
    // The desktop outlives the run: its end closes the window and shuts SDL down,
    // so nothing is left running once the program has ended.
    auto desktop = make_sdl_desktop();
    return run(project, *desktop, decoding ? &*decoding : nullptr);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zemk: %s\n", error.what());
    return kNoDesktopStatus;
  }
}

}  // namespace rt
