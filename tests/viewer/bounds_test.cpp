// The frame table's index test: a set outside 0..2 is refused before anything is shown.

#include <gtest/gtest.h>

#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

using Kind = rt::ScriptedDesktop::Record::Kind;

TEST(FrameIndex, OutsideTheTableRaisesTheBoundsError) {
  struct Forced {
    int hl, l;  // set before a pass that advances l by one
    int index;
  };
  const Forced cases[] = {{3, 17, 54}, {0, -2, -1}, {3, 4, 59}, {-1, 4, -13}};
  for (const Forced& c : cases) {
    SCOPED_TRACE(c.index);
    ViewerRun run;
    run.hook = [&](int pump, viewer::ZEMK& zemk, rt::Window&) {
      if (pump == pass_pump(4)) zemk.hl = c.hl, zemk.l = c.l;
    };
    EXPECT_NE(run.run(0), 0);
    EXPECT_EQ(run.pumps(), pass_pump(4));
    // The pass after that pump shows nothing: its repaint would come in a fifth pump.
    const auto repaints = run.records_of(Kind::repaint);
    ASSERT_FALSE(repaints.empty());
    EXPECT_EQ(repaints.back().pump, pass_pump(4));
    const auto errors = run.records_of(Kind::error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].message.find("runtime error 1:"), std::string::npos) << errors[0].message;
    EXPECT_NE(errors[0].message.find(std::to_string(c.index)), std::string::npos) << errors[0].message;
  }
}

TEST(FrameIndex, LastFrameIsInside) {
  ViewerRun run;
  run.hook = [](int pump, viewer::ZEMK& zemk, rt::Window&) {
    if (pump == pass_pump(2)) zemk.hl = 2, zemk.l = 16;
  };
  ASSERT_EQ(run.run(pass_pump(5)), 0);
  EXPECT_EQ(run.frame_shown_in(pass_pump(3)), 53);
  EXPECT_EQ(run.frame_shown_in(pass_pump(4)), 36);
}

}  // namespace
}  // namespace viewer_test
