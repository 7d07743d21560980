// The title bar's controls as the hints window managers read.
#include "runtime/sdl/title_bar.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  rt::TitleBarControls controls;
  long functions, decorations;
};

// Functions: move 4, minimise 8, maximise 16, close 32. Decorations: border 2,
// title 8, menu 16, minimise 32, maximise 64. Resizing is never offered.
TEST(TitleBar, EachControlAddsItsFunctionAndItsDecoration) {
  const Case cases[] = {
      {{.control_box = false, .min_button = false, .max_button = false}, 4, 2 | 8},
      {{.control_box = true, .min_button = false, .max_button = false}, 4 | 32, 2 | 8 | 16},
      {{.control_box = false, .min_button = true, .max_button = false}, 4 | 8, 2 | 8 | 32},
      {{.control_box = false, .min_button = false, .max_button = true}, 4 | 16, 2 | 8 | 64},
      {{}, 4 | 8 | 16 | 32, 2 | 8 | 16 | 32 | 64},
  };
  for (const Case& c : cases) {
    const rt::MotifHints hints = rt::motif_hints(c.controls);
    EXPECT_EQ(hints[0], 1 | 2) << "functions and decorations both given";
    EXPECT_EQ(hints[1], c.functions);
    EXPECT_EQ(hints[2], c.decorations);
  }
}

}  // namespace
