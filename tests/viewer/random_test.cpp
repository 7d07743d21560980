// Long random streams of keys, clicks and movements never break the state's
// invariants nor show a frame other than 18 * set + position.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

constexpr unsigned kSeed = 20240611;
constexpr int kPumps = 1500;

std::vector<rt::DesktopEvent> random_events(std::mt19937& rng) {
  static const char* keys[] = {"v", "V", "b", "B", "n", "N", " ", "-", "+", ",", "/", "*", ".",
                               "a", "7", "="};
  std::vector<rt::DesktopEvent> events;
  const int count = std::uniform_int_distribution<int>(1, 6)(rng);
  for (int i = 0; i < count; ++i) {
    switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
      case 0:
      case 1: events.push_back(key(keys[std::uniform_int_distribution<int>(0, 15)(rng)])); break;
      case 2:
        for (auto& e : click()) events.push_back(e);
        break;
      default:
        events.push_back(move_to(std::uniform_int_distribution<int>(0, 566)(rng),
                                 std::uniform_int_distribution<int>(0, 563)(rng)));
    }
  }
  return events;
}

TEST(RandomInput, InvariantsHold) {
  std::printf("random input seed %u\n", kSeed);
  std::mt19937 rng(kSeed);
  ViewerRun run;
  for (int pump = 1; pump < kPumps; ++pump) {
    if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) run.at(pump, random_events(rng));
  }
  ASSERT_EQ(run.run(kPumps), 0) << "seed " << kSeed;
  for (int pump = 1; pump < kPumps; ++pump) {
    const State& s = run.state(pump);
    SCOPED_TRACE("pump " + std::to_string(pump) + ": " + describe(s));
    EXPECT_FALSE(s.m == 1 && s.mm == 1);
    EXPECT_TRUE(s.hl >= 0 && s.hl <= 2);
    EXPECT_TRUE(s.l >= 0 && s.l <= 17);
    EXPECT_TRUE(s.nm == 0 || s.nm == 1);
    if (pump > kLoadingPumps) {
      const int frame = run.frame_shown_in(pump);
      EXPECT_TRUE(frame >= 0 && frame <= 53);
      EXPECT_EQ(frame, 18 * s.hl + s.l);
    }
  }
}

}  // namespace
}  // namespace viewer_test
