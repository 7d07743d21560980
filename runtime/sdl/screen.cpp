#include "runtime/sdl/screen.h"

#include <cstdio>
#include <exception>

#include "runtime/desktop.h"
#include "runtime/errors.h"
#include "runtime/sdl/desktop.h"

namespace rt {

int run_on_screen(const ProjectRecord& project) {
  try {
    // The desktop outlives the run: its end closes the window and shuts SDL down,
    // so nothing is left running once the program has ended.
    auto desktop = make_sdl_desktop();
    return run(project, *desktop);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zemk: %s\n", error.what());
    return kFailureStatus;
  }
}

}  // namespace rt
