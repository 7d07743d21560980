// The count in delay: its end value is k as the pump in front of it left it.

#include <gtest/gtest.h>

#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

using Kind = rt::ScriptedDesktop::Record::Kind;

struct CountCase {
  float k;
  std::int64_t steps;
};

TEST(Delay, StepsForEachDelayCount) {
  const CountCase cases[] = {{0, 1}, {-3, 0}, {2.5f, 3}, {1, 2}, {10000, 10001}, {0.75f, 1}};
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.k);
    ViewerRun run;
    // Stored during the pump, as a handler would: it governs that pump's count.
    run.hook = [&](int pump, viewer::ZEMK& zemk, rt::Window&) {
      if (pump == pass_pump(2)) zemk.k = c.k;
    };
    ASSERT_EQ(run.run(pass_pump(4)), 0);
    const auto counts = run.records_of(Kind::count);
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[0].steps, 1000001);
    EXPECT_EQ(counts[1].pump, pass_pump(2));
    EXPECT_EQ(counts[1].end, double(c.k));
    EXPECT_EQ(counts[1].steps, c.steps);
    EXPECT_EQ(counts[2].steps, c.steps) << "k holds until something writes it";
  }
}

// A movement handled in the pump sets the count right after it, not the next one.
TEST(Delay, MovementGovernsTheCountOfItsOwnPump) {
  ViewerRun run;
  run.at(pass_pump(2), move_to(0, 200));
  ASSERT_EQ(run.run(pass_pump(3)), 0);
  const auto counts = run.records_of(Kind::count);
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts[0].end, 1000000);
  EXPECT_EQ(counts[1].end, 0);
  EXPECT_EQ(counts[1].steps, 1);
}

}  // namespace
}  // namespace viewer_test
