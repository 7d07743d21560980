// Loading the frame table and the start of playback.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "runtime/runtime.h"
#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

using Kind = rt::ScriptedDesktop::Record::Kind;

int position_in(const std::vector<std::string>& names, const std::string& name) {
  return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

TEST(Activation, LoadsWithFiftyThreePumpsShowingFrameZeroThenPlaysForward) {
  ViewerRun run;
  const rt::Picture* shown_at_first_pump = nullptr;
  const rt::Picture* image1 = nullptr;
  run.hook = [&](int pump, viewer::ZEMK&, rt::Window& window) {
    if (pump != 1) return;
    shown_at_first_pump = window.picture_box().picture().get();
    image1 = rt::picture_of(window.control("Image1")).get();
  };
  ASSERT_EQ(run.run(pass_pump(21)), 0);

  // The picture area shows Image1's own picture object, not a copy, by the first pump.
  ASSERT_NE(image1, nullptr);
  EXPECT_EQ(shown_at_first_pump, image1);
  EXPECT_EQ(run.frame_shown_in(1), 0);
  for (int pump = 2; pump <= kLoadingPumps; ++pump) EXPECT_EQ(run.frame_shown_in(pump), -1) << pump;

  // No count before the 53 loading pumps are over; then one per pass, at 1000000.
  const auto counts = run.records_of(Kind::count);
  ASSERT_EQ(counts.size(), 20u);
  for (std::size_t i = 0; i < counts.size(); ++i) {
    EXPECT_EQ(counts[i].pump, pass_pump(1) + static_cast<int>(i));
    EXPECT_EQ(counts[i].end, 1000000);
    EXPECT_EQ(counts[i].steps, 1000001);
  }

  // Frames 1 to 17, then round to 0, 1, 2.
  for (int pass = 1; pass <= 20; ++pass) EXPECT_EQ(run.frame_shown_in(pass_pump(pass)), pass % 18) << pass;
}

TEST(Activation, InitialStateAfterLoadingWithoutInput) {
  ViewerRun run;
  ASSERT_EQ(run.run(pass_pump(2)), 0);
  for (int pump = 1; pump <= kLoadingPumps; ++pump) EXPECT_EQ(run.state(pump), State{}) << pump;
  // After the first pass: advanced to 1, running, everything else untouched.
  EXPECT_EQ(run.state(pass_pump(1)), (State{.k = 1000000, .l = 1, .n = 1, .hl = 0, .updo = 1}))
      << describe(run.state(pass_pump(1)));
}

// Frames 10, 11 and 12 come from Image11, Image12 and Image13 although the layout
// makes Image12 first; and every index 18 * set + position shows its own holder.
TEST(Activation, EveryFrameComesFromTheHolderOfItsNumber) {
  ViewerRun run;
  constexpr int kPasses = 3 * 18;
  // Each pass j from 2 on runs in set (j - 2) / 18, so the passes cover every index.
  run.hook = [&](int pump, viewer::ZEMK& zemk, rt::Window&) {
    const int next_pass = pump - kLoadingPumps + 1;
    if (next_pass >= 2) zemk.hl = std::min((next_pass - 2) / 18, 2);
  };
  ASSERT_EQ(run.run(pass_pump(kPasses + 2)), 0);

  const auto& order = run.holder_order();
  ASSERT_LT(position_in(order, "Image12"), position_in(order, "Image11"));
  ASSERT_LT(position_in(order, "Image11"), position_in(order, "Image13"));

  std::set<int> seen;
  for (int pass = 1; pass <= kPasses + 1; ++pass) {
    const State& s = run.state(pass_pump(pass));
    const int frame = run.frame_shown_in(pass_pump(pass));
    EXPECT_EQ(frame, 18 * s.hl + s.l) << "pass " << pass;
    seen.insert(frame);
  }
  EXPECT_EQ(seen.size(), 54u);
  EXPECT_EQ(run.frame_shown_in(pass_pump(10)), 10);
  EXPECT_EQ(run.frame_shown_in(pass_pump(11)), 11);
  EXPECT_EQ(run.frame_shown_in(pass_pump(12)), 12);
}

// Input while the frames load: the initial state replaces n, k, hl and updo, and
// nothing else.
TEST(LoadingInput, KeysAndMovementLeaveNoTrace) {
  ViewerRun plain;
  ASSERT_EQ(plain.run(pass_pump(6)), 0);

  ViewerRun run;
  const char* keys[] = {"n", " ", "-", "/", "b", "+", " ", ".", "N", "*"};
  int pump = 2;
  for (const char* k : keys) {
    run.at(pump, key(k));
    run.at(pump + 1, move_to(300, 400));
    pump += 4;
  }
  run.at(kLoadingPumps, {key("-"), move_to(100, 100)});
  ASSERT_EQ(run.run(pass_pump(6)), 0);
  for (int pass = 1; pass <= 5; ++pass) {
    EXPECT_EQ(run.state(pass_pump(pass)), plain.state(pass_pump(pass))) << describe(run.state(pass_pump(pass)));
    EXPECT_EQ(run.frame_shown_in(pass_pump(pass)), pass);
  }
  EXPECT_EQ(run.records_of(rt::ScriptedDesktop::Record::Kind::count).front().end, 1000000);
}

TEST(LoadingInput, ClickLeavesManualModeInForce) {
  ViewerRun run;
  run.at(10, click());
  run.at(pass_pump(5), move_to(300, 200));
  ASSERT_EQ(run.run(pass_pump(7)), 0);
  EXPECT_EQ(run.state(pass_pump(1)).nm, 1);
  // A movement now asks for one step instead of setting the speed from the pointer.
  const auto counts = run.records_of(rt::ScriptedDesktop::Record::Kind::count);
  EXPECT_EQ(counts[4].pump, pass_pump(5));
  EXPECT_EQ(counts[4].end, 10000);
  const State& after = run.state(pass_pump(6));
  EXPECT_EQ(after.n, 0);
  EXPECT_EQ(after.l, run.state(pass_pump(5)).l + 1);
  EXPECT_EQ(run.state(pass_pump(7)).l, after.l);
}

TEST(LoadingInput, MotionKeyBeforeClickComesBackWithTheClickToAutomatic) {
  ViewerRun run;
  run.at(5, key("-"));
  run.at(6, click());
  run.at(pass_pump(7), click());
  ASSERT_EQ(run.run(pass_pump(10)), 0);
  const State& start = run.state(pass_pump(1));
  EXPECT_EQ(start.n, 1);
  EXPECT_EQ(start.n1, -1);
  EXPECT_EQ(start.nm, 1);
  // The click back makes start-backward pending again: two back, then one per pass.
  EXPECT_EQ(run.state(pass_pump(7)).l, 7);
  EXPECT_EQ(run.state(pass_pump(8)).l, 5);
  EXPECT_EQ(run.state(pass_pump(9)).l, 4);
  EXPECT_EQ(run.state(pass_pump(8)).m, 1);
}

// A click during loading saves a motion state that was never assigned; the click
// back restores it, and the mechanism stands still, showing the same frame each pass.
TEST(LoadingInput, RestoredUnassignedStateStandsStill) {
  ViewerRun run;
  run.at(10, click());
  run.at(pass_pump(4), click());
  ASSERT_EQ(run.run(pass_pump(9)), 0);
  for (int pass = 5; pass <= 8; ++pass) {
    const State& s = run.state(pass_pump(pass));
    EXPECT_EQ(s.l, 4) << pass;
    EXPECT_EQ(s.n, 0);
    EXPECT_EQ(s.m, 0);
    EXPECT_EQ(s.mm, 0);
    EXPECT_EQ(s.nm, 0);
    EXPECT_EQ(run.frame_shown_in(pass_pump(pass)), 4) << pass;
  }
}

}  // namespace
}  // namespace viewer_test
