// The key handler: what each key changes, the Space walk through the sets, and
// keys that change nothing.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

// A state with every field distinct from what any key stores.
State busy_state() {
  return {.k = 4321, .l = 7, .m = 1, .mm = 0, .n = 1, .m1 = 1, .mm1 = 0, .n1 = 0, .nm = 1,
          .yyy = 5.5f, .hl = 1, .updo = -1};
}

void put(viewer::ZEMK& z, const State& s) {
  z.k = s.k, z.l = s.l, z.m = s.m, z.mm = s.mm, z.n = s.n, z.m1 = s.m1, z.mm1 = s.mm1;
  z.n1 = s.n1, z.nm = s.nm, z.yyy = s.yyy, z.hl = s.hl, z.updo = s.updo;
}

struct KeyCase {
  std::int16_t code;
  int hl, updo, n;  // expected after the key, from busy_state()
};

// Each key changes only what its own row names; the rest are keys no row names.
TEST(KeyPress, EachKeyChangesOnlyItsOwnField) {
  const State b = busy_state();
  const KeyCase cases[] = {
      {'v', 0, b.updo, b.n},  {'V', 0, b.updo, b.n},  {'b', 1, b.updo, b.n}, {'B', 1, b.updo, b.n},
      {'n', 2, b.updo, b.n},  {'N', 2, b.updo, b.n},  {' ', 0, 1, b.n},      {'-', b.hl, b.updo, -1},
      {'+', b.hl, b.updo, 3}, {',', b.hl, b.updo, 3}, {'/', b.hl, b.updo, -2}, {'*', b.hl, b.updo, 2},
      {'.', b.hl, b.updo, 2},
      // Unlisted: other letters, digits, "=", Enter, Backspace, a code beyond ASCII.
      {'a', b.hl, b.updo, b.n}, {'m', b.hl, b.updo, b.n}, {'x', b.hl, b.updo, b.n},
      {'0', b.hl, b.updo, b.n}, {'9', b.hl, b.updo, b.n}, {'=', b.hl, b.updo, b.n},
      {13, b.hl, b.updo, b.n},  {8, b.hl, b.updo, b.n},   {0xE9, b.hl, b.updo, b.n},
  };
  ViewerRun run;
  run.hook = [&](int pump, viewer::ZEMK& zemk, rt::Window&) {
    if (pump != pass_pump(2)) return;
    for (const KeyCase& c : cases) {
      put(zemk, b);
      std::int16_t code = c.code;
      zemk.Picture1_KeyPress(code);
      State expected = b;
      expected.hl = c.hl, expected.updo = c.updo, expected.n = c.n;
      EXPECT_EQ(state_of(zemk), expected) << "key " << c.code << ": " << describe(state_of(zemk));
      EXPECT_EQ(code, c.code) << "the handler hands the key code back unchanged";
    }
    put(zemk, State{.k = 10, .n = 1, .hl = 0, .updo = 1});
  };
  ASSERT_EQ(run.run(pass_pump(3)), 0);
}

// Unlisted keys typed on the desktop leave the run exactly as it would have been.
TEST(KeyPress, UnlistedKeysOnTheDesktopChangeNothing) {
  ViewerRun plain;
  ASSERT_EQ(plain.run(pass_pump(6)), 0);
  ViewerRun run;
  run.at(pass_pump(2), {key("a"), key("Z"), key("7"), key("="), key("q"),
                        rt::DesktopEvent::pressed(rt::NamedKey::enter),
                        rt::DesktopEvent::pressed(rt::NamedKey::backspace)});
  ASSERT_EQ(run.run(pass_pump(6)), 0);
  for (int pass = 1; pass <= 5; ++pass) {
    EXPECT_EQ(run.state(pass_pump(pass)), plain.state(pass_pump(pass))) << pass;
    EXPECT_EQ(run.frame_shown_in(pass_pump(pass)), plain.frame_shown_in(pass_pump(pass))) << pass;
  }
}

struct WalkCase {
  int hl, updo, hl_after, updo_after;
};

class SetWalk : public testing::TestWithParam<WalkCase> {};

// One Space typed in a pump from the given set and direction; the next pass shows
// the new set at the position it reached.
TEST_P(SetWalk, OneSpace) {
  const WalkCase& c = GetParam();
  ViewerRun run;
  run.hook = [&](int pump, viewer::ZEMK& zemk, rt::Window&) {
    if (pump == pass_pump(3)) zemk.hl = c.hl, zemk.updo = c.updo;
  };
  run.at(pass_pump(3), key(" "));
  ASSERT_EQ(run.run(pass_pump(5)), 0);
  const State& after = run.state(pass_pump(4));
  EXPECT_EQ(after.hl, c.hl_after);
  EXPECT_EQ(after.updo, c.updo_after);
  EXPECT_EQ(after.l, 4) << "Space does not touch the motion";
  EXPECT_EQ(run.frame_shown_in(pass_pump(4)), 18 * c.hl_after + 4);
}

INSTANTIATE_TEST_SUITE_P(EveryReachableState, SetWalk,
                         testing::Values(WalkCase{0, 1, 1, 1}, WalkCase{0, -1, 1, 1},
                                         WalkCase{1, 1, 2, -1}, WalkCase{1, -1, 0, 1},
                                         WalkCase{2, -1, 1, -1}, WalkCase{2, 1, 1, -1},
                                         // While loading, updo was never set.
                                         WalkCase{0, 0, 1, 1}, WalkCase{2, 0, 1, -1},
                                         WalkCase{1, 0, 1, 0}));

struct Sequence {
  std::vector<std::string> keys;  // one per pump from the end of pass 2
  std::vector<int> sets;          // the set after each
};

TEST(SetWalk, Sequences) {
  const Sequence sequences[] = {
      {{" ", " ", " ", " ", " ", " "}, {1, 2, 1, 0, 1, 2}},
      {{"n", " ", " "}, {2, 1, 0}},
      {{"v", " ", " "}, {0, 1, 2}},
      {{"b", " "}, {1, 2}},
      {{"V", "B", "N", "b", " ", " "}, {0, 1, 2, 1, 2, 1}},
  };
  for (const Sequence& s : sequences) {
    ViewerRun run;
    for (std::size_t i = 0; i < s.keys.size(); ++i) run.at(pass_pump(2) + int(i), key(s.keys[i]));
    ASSERT_EQ(run.run(pass_pump(3) + int(s.keys.size())), 0);
    for (std::size_t i = 0; i < s.sets.size(); ++i) {
      const int pump = pass_pump(3) + int(i);
      EXPECT_EQ(run.state(pump).hl, s.sets[i]) << "sequence of " << s.keys.size() << ", key " << i;
      EXPECT_EQ(run.frame_shown_in(pump), 18 * s.sets[i] + run.state(pump).l);
    }
  }
}

// Space while loading, with updo never set, then the initial state replaces both.
TEST(SetWalk, DuringLoading) {
  ViewerRun run;
  run.at(3, key(" "));
  run.at(4, key(" "));
  run.at(5, key("b"));
  run.at(6, key(" "));
  ASSERT_EQ(run.run(pass_pump(2)), 0);
  EXPECT_EQ(run.state(4).hl, 1);
  EXPECT_EQ(run.state(4).updo, 1);
  EXPECT_EQ(run.state(5).hl, 2);
  EXPECT_EQ(run.state(5).updo, -1);
  EXPECT_EQ(run.state(7).hl, 0);
  EXPECT_EQ(run.state(7).updo, 1);
  EXPECT_EQ(run.state(pass_pump(1)).hl, 0);
  EXPECT_EQ(run.state(pass_pump(1)).updo, 1);
}

TEST(KeyPress, OnlyTheLaterOfTwoMotionKeysReachesTheLoop) {
  ViewerRun run;
  run.at(pass_pump(4), {key("+"), key("/")});
  ASSERT_EQ(run.run(pass_pump(7)), 0);
  // Step backward from the initial run: one back, then stopped.
  EXPECT_EQ(run.state(pass_pump(5)).l, 3);
  EXPECT_EQ(run.state(pass_pump(5)).n, 0);
  EXPECT_EQ(run.state(pass_pump(6)).l, 3);
}

TEST(KeyPress, SetKeyKeepsTheMotion) {
  ViewerRun run;
  run.at(pass_pump(3), key("b"));  // running: position 4 of set 1 next
  run.at(pass_pump(5), {key("."), key("n")});
  ASSERT_EQ(run.run(pass_pump(8)), 0);
  EXPECT_EQ(run.frame_shown_in(pass_pump(4)), 22);
  EXPECT_EQ(run.frame_shown_in(pass_pump(5)), 23);
  // Stopped by "." at position 6: the new set at the same position from then on.
  EXPECT_EQ(run.frame_shown_in(pass_pump(6)), 36 + 6);
  EXPECT_EQ(run.frame_shown_in(pass_pump(7)), 36 + 6);
}

}  // namespace
}  // namespace viewer_test
