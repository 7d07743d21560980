// The mouse: clicks switch between automatic and manual mode; movement sets the
// delay count, or in manual mode asks for single steps.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>

#include "runtime/errors.h"
#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

using Kind = rt::ScriptedDesktop::Record::Kind;

// The pointer's coordinates at inner pixel (c, r): the picture area's scale spread
// over its 567 x 764 inner pixels.
float x_at(int c) { return static_cast<float>(c * double(std::bit_cast<float>(0x416E1FF3u)) / 567); }
float y_at(int r) { return static_cast<float>(r * double(std::bit_cast<float>(0x41EEC000u)) / 764); }

// The end value of the count that followed `pump`.
double count_end(const ViewerRun& run, int pump) {
  for (const auto& record : run.records_of(Kind::count)) {
    if (record.pump == pump) return record.end;
  }
  ADD_FAILURE() << "no count after pump " << pump;
  return -1;
}

// Stopped by "+" then "." right after loading, so that each step shows its direction.
constexpr int kStoppedFrom = pass_pump(3);
void stop_first(ViewerRun& run) {
  run.at(pass_pump(1), key("+"));
  run.at(pass_pump(2), key("."));
}

TEST(Mouse, ClicksToggleTheMode) {
  ViewerRun run;
  run.at(pass_pump(2), click());
  run.at(pass_pump(3), click());
  run.at(pass_pump(4), click());
  ASSERT_EQ(run.run(pass_pump(6)), 0);
  EXPECT_EQ(run.state(pass_pump(2)).nm, 0);
  EXPECT_EQ(run.state(pass_pump(3)).nm, 1);
  EXPECT_EQ(run.state(pass_pump(4)).nm, 0);
  EXPECT_EQ(run.state(pass_pump(5)).nm, 1);
  // In and out and in again with no movement: the initial run went on throughout.
  for (int pass = 1; pass <= 5; ++pass) EXPECT_EQ(run.state(pass_pump(pass)).l, pass);
}

struct StepCase {
  const char* what;
  std::vector<std::vector<rt::DesktopEvent>> pumps;  // events of consecutive pumps, from kStoppedFrom
  std::vector<int> changes;                            // change of position after each of them
};

// Manual stepping from a stopped mechanism; the first pump clicks into manual mode.
TEST(Mouse, ManualSteps) {
  const StepCase cases[] = {
      {"first movement ever steps forward", {click(), {move_to(100, 200)}}, {0, +1}},
      {"up steps back, down and sideways forward",
       {click(), {move_to(100, 300)}, {move_to(100, 200)}, {move_to(100, 250)}, {move_to(300, 250)}},
       {0, +1, -1, +1, +1}},
      {"down then up in one pump leaves only the backward step",
       {click(), {move_to(100, 300)}, {move_to(100, 400), move_to(100, 350)}},
       {0, +1, -1}},
      {"held buttons and keys change nothing",
       {click(), {move_to(100, 300)}, {rt::DesktopEvent::moved(102, 250, 1, 3)}},
       {0, +1, -1}},
      // Back in automatic mode a movement only sets the speed; manual mode then
      // compares with the last ordinate of the earlier manual period.
      {"re-entering compares with the earlier period",
       {click(), {move_to(100, 300)}, click(), {move_to(100, 100)}, click(), {move_to(100, 200)}},
       {0, +1, 0, 0, 0, -1}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    ViewerRun run;
    stop_first(run);
    for (std::size_t i = 0; i < c.pumps.size(); ++i) run.at(kStoppedFrom + int(i), c.pumps[i]);
    const int last = kStoppedFrom + int(c.pumps.size());
    ASSERT_EQ(run.run(last + 2), 0);
    for (std::size_t i = 0; i < c.changes.size(); ++i) {
      const int pump = kStoppedFrom + int(i);
      const int change = (run.state(pump + 1).l - run.state(pump).l + 18) % 18;
      EXPECT_EQ(change, (c.changes[i] + 18) % 18) << "pump " << i;
      EXPECT_EQ(run.state(pump + 1).n, 0);
    }
    EXPECT_EQ(run.state(last + 1).l, run.state(last).l) << "each step stops";
  }
}

TEST(Mouse, YyyIsTheLastManualOrdinate) {
  ViewerRun run;
  run.at(pass_pump(2), click());
  run.at(pass_pump(3), move_to(50, 321));
  run.at(pass_pump(4), click());
  run.at(pass_pump(5), move_to(50, 12));  // automatic: yyy stays
  ASSERT_EQ(run.run(pass_pump(7)), 0);
  EXPECT_EQ(run.state(pass_pump(4)).yyy, y_at(321));
  EXPECT_EQ(run.state(pass_pump(6)).yyy, y_at(321));
}

// Every movement sets the count that follows its own pump: X * 30 * Y rounded once
// in automatic mode, 10000 in manual mode; leaving manual mode keeps 10000.
TEST(Mouse, DelayCountFromMovement) {
  ViewerRun run;
  run.hook = [](int pump, viewer::ZEMK& zemk, rt::Window&) {
    if (pump != pass_pump(2)) return;
    std::int16_t button = 0, shift = 0;
    float x = 2, y = 3;
    zemk.Picture1_MouseMove(button, shift, x, y);
    EXPECT_EQ(zemk.k, 180.0f);
    EXPECT_EQ(x, 2.0f);
    EXPECT_EQ(y, 3.0f);
  };
  run.at(pass_pump(3), move_to(0, 300));   // left edge
  run.at(pass_pump(4), move_to(300, 0));   // top edge
  run.at(pass_pump(5), move_to(300, 400));
  run.at(pass_pump(6), move_to(566, 563));  // lowest visible pixel of the rightmost column
  auto click_and_move = click();
  click_and_move.push_back(move_to(10, 10));
  run.at(pass_pump(7), click_and_move);
  run.at(pass_pump(8), click());
  ASSERT_EQ(run.run(pass_pump(10)), 0);

  EXPECT_EQ(count_end(run, pass_pump(1)), 1000000);
  EXPECT_EQ(count_end(run, pass_pump(2)), 180);
  EXPECT_EQ(count_end(run, pass_pump(3)), 0);
  EXPECT_EQ(count_end(run, pass_pump(4)), 0);
  const double mid = double(x_at(300)) * 30 * double(y_at(400));  // exact in double
  EXPECT_EQ(count_end(run, pass_pump(5)), double(static_cast<float>(mid)));
  EXPECT_NEAR(count_end(run, pass_pump(6)), 9802, 2);
  EXPECT_EQ(count_end(run, pass_pump(7)), 10000);
  EXPECT_EQ(count_end(run, pass_pump(8)), 10000);
  EXPECT_EQ(count_end(run, pass_pump(9)), 10000);
}

// A product that overflows raises the floating-point error before k is written.
TEST(Mouse, OverflowingProductRaisesAndKeepsK) {
  ViewerRun run;
  bool raised = false;
  run.hook = [&](int pump, viewer::ZEMK& zemk, rt::Window&) {
    if (pump != pass_pump(2)) return;
    std::int16_t button = 0, shift = 0;
    float x = FLT_MAX, y = 2;
    try {
      zemk.Picture1_MouseMove(button, shift, x, y);
    } catch (const rt::RuntimeError& error) {
      raised = error.number() == rt::ErrorNumber::floating_point;
    }
    EXPECT_EQ(zemk.k, 1000000.0f);
    zemk.k = 0;  // whatever happened, keep the run short
  };
  ASSERT_EQ(run.run(pass_pump(3)), 0);
  EXPECT_TRUE(raised);
}

// The click saves the motion state going in and restores it coming out, whatever
// happened in between; the position is not restored.
TEST(Mouse, ClickBackRestoresTheRunFromWhereStepsLeftIt) {
  ViewerRun run;
  run.at(pass_pump(1), key("+"));  // forward run: 1, 3, 4, 5, ...
  run.at(pass_pump(3), click());   // still runs until the pointer moves
  run.at(pass_pump(5), move_to(100, 100));  // stops where it is
  run.at(pass_pump(6), move_to(100, 50));   // up: one back
  run.at(pass_pump(7), click());   // forward run again
  ASSERT_EQ(run.run(pass_pump(10)), 0);
  EXPECT_EQ(run.state(pass_pump(4)).l, 5);
  EXPECT_EQ(run.state(pass_pump(5)).l, 6);
  EXPECT_EQ(run.state(pass_pump(6)).l, 6);
  EXPECT_EQ(run.state(pass_pump(7)).l, 5);
  EXPECT_EQ(run.state(pass_pump(8)).l, 6);
  EXPECT_EQ(run.state(pass_pump(9)).l, 7);
  EXPECT_EQ(run.state(pass_pump(8)).mm, 1);
}

}  // namespace
}  // namespace viewer_test
