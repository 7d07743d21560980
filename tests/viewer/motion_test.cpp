// The playback loop's motion rules, seen through what each pass shows.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

enum class RunKind { initial, forward, backward, stopped, other };

const char* name(RunKind kind) {
  switch (kind) {
    case RunKind::initial: return "initial";
    case RunKind::forward: return "forward";
    case RunKind::backward: return "backward";
    case RunKind::stopped: return "stopped";
    case RunKind::other: break;
  }
  return "other";
}

RunKind run_kind(const State& s) {
  if (s.n == 1 && s.m == 0 && s.mm == 0) return RunKind::initial;
  if (s.n == 1 && s.m == 0 && s.mm == 1) return RunKind::forward;
  if (s.n == 1 && s.m == 1 && s.mm == 0) return RunKind::backward;
  if (s.n == 0 && s.m == 0 && s.mm == 0) return RunKind::stopped;
  return RunKind::other;
}

int per_pass(RunKind kind) {
  switch (kind) {
    case RunKind::initial:
    case RunKind::forward: return 1;
    case RunKind::backward: return -1;
    default: return 0;
  }
}

// The change from position `from` to `to`, as -8..+9 on the 18-position wheel.
int step_between(int from, int to) {
  const int d = ((to - from) % 18 + 18) % 18;
  return d > 9 ? d - 18 : d;
}

struct MotionCase {
  RunKind before;
  std::string command;  // the key typed; empty: none
  int change;
  RunKind after;
};
void PrintTo(const MotionCase& c, std::ostream* out) {
  *out << name(c.before) << " then \"" << c.command << "\": " << c.change << ", " << name(c.after);
}

std::string case_name(const testing::TestParamInfo<MotionCase>& info) {
  const std::string keys[] = {"", "-", "+", "/", "."};
  const std::string words[] = {"none", "start_backward", "start_forward", "step_backward", "step_forward"};
  std::string command = "none";
  for (int i = 0; i < 5; ++i) {
    if (keys[i] == info.param.command) command = words[i];
  }
  return std::string(name(info.param.before)) + "_" + command;
}

class MotionTable : public testing::TestWithParam<MotionCase> {};

// The run kind is set up by keys right after loading; the command comes in the
// pump that ends pass 8, so pass 9 applies it and pass 10 shows the run kind after.
TEST_P(MotionTable, ChangeOfPositionAndRunKindAfter) {
  const MotionCase& c = GetParam();
  constexpr int kCommandPump = pass_pump(8);
  ViewerRun run;
  if (c.before == RunKind::forward || c.before == RunKind::stopped) run.at(pass_pump(1), key("+"));
  if (c.before == RunKind::backward) run.at(pass_pump(1), key("-"));
  if (c.before == RunKind::stopped) run.at(pass_pump(2), key("."));
  if (!c.command.empty()) run.at(kCommandPump, key(c.command));
  ASSERT_EQ(run.run(kCommandPump + 3), 0);

  const State& before = run.state(kCommandPump);
  const State& applied = run.state(kCommandPump + 1);
  const State& next = run.state(kCommandPump + 2);
  ASSERT_EQ(run_kind(before), c.before) << describe(before);
  EXPECT_EQ(step_between(before.l, applied.l), c.change) << describe(before) << " -> " << describe(applied);
  EXPECT_EQ(run_kind(applied), c.after) << describe(applied);
  EXPECT_EQ(step_between(applied.l, next.l), per_pass(c.after));
  // Each pass shows the frame of the position it reached, in set 0.
  EXPECT_EQ(run.frame_shown_in(kCommandPump + 1), applied.l);
  EXPECT_EQ(run.frame_shown_in(kCommandPump + 2), next.l);
}

using enum RunKind;
INSTANTIATE_TEST_SUITE_P(
    AllRunKindsAndCommands, MotionTable,
    testing::Values(MotionCase{initial, "", +1, initial}, MotionCase{initial, "-", -2, backward},
                    MotionCase{initial, "+", +2, forward}, MotionCase{initial, "/", -1, stopped},
                    MotionCase{initial, ".", +1, stopped},
                    MotionCase{forward, "", +1, forward}, MotionCase{forward, "-", -2, backward},
                    MotionCase{forward, "+", +2, forward}, MotionCase{forward, "/", 0, stopped},
                    MotionCase{forward, ".", 0, stopped},
                    MotionCase{backward, "", -1, backward}, MotionCase{backward, "-", -2, backward},
                    MotionCase{backward, "+", +2, forward}, MotionCase{backward, "/", 0, stopped},
                    MotionCase{backward, ".", 0, stopped},
                    MotionCase{stopped, "", 0, stopped}, MotionCase{stopped, "-", -2, backward},
                    MotionCase{stopped, "+", +2, forward}, MotionCase{stopped, "/", -1, stopped},
                    MotionCase{stopped, ".", +1, stopped}),
    case_name);

// Positions wrap at both ends: a start at 17 gives 1, a step back from 0 gives 17.
TEST(Motion, PositionsWrapAtBothEnds) {
  struct WrapCase {
    int l;
    std::vector<std::string> setup;  // typed one per pump before the command
    std::string command;
    int expected;
  };
  const WrapCase cases[] = {
      {17, {}, "+", 1},      {1, {}, "-", 17},       {0, {"+", "."}, "/", 17},
      {17, {"+", "."}, ".", 0},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE("from " + std::to_string(c.l) + " with " + c.command);
    ViewerRun run;
    int pump = pass_pump(1);
    for (const std::string& k : c.setup) run.at(pump++, key(k));
    const int command_pump = pump + 1;
    run.hook = [&](int p, viewer::ZEMK& zemk, rt::Window&) {
      if (p == command_pump) zemk.l = c.l;  // the position the pass before had shown
    };
    run.at(command_pump, key(c.command));
    ASSERT_EQ(run.run(command_pump + 2), 0);
    EXPECT_EQ(run.state(command_pump + 1).l, c.expected);
    EXPECT_EQ(run.frame_shown_in(command_pump + 1), c.expected);
  }
}

}  // namespace
}  // namespace viewer_test
