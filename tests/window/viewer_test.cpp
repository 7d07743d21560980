// The real program in a real window, driven by keys and pointer through xdotool
// and read back from screenshots. A pass lasts from well under a millisecond
// (the pointer's delay counts) to some 20 ms (the start's count), about as long
// as a screenshot or less: a run shows as a frame that changes between two
// screenshots, a stop as one that stays. Where a test must see single passes it
// freezes the program (SIGSTOP) and lets it go in short bursts, as long as a
// pass or two.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/window/frame_matcher.h"
#include "tests/window/x_session.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using xtest::frame_index;
using xtest::kPositions;
using xtest::position_of;
using xtest::set_of;

constexpr auto kPatience = 15s;      // for anything the program should do soon
constexpr auto kStillFor = 300ms;    // a frame unchanged this long stands still
constexpr int kStillShots = 3;       // ... over at least this many screenshots
// A point well inside the picture area's inner area, in client pixels.
constexpr int kPointerX = 300, kPointerY = 200;

// The state letter of a process in /proc (R running, S sleeping, T stopped, ...).
char process_state(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto end_of_name = text.rfind(')');
  return end_of_name == std::string::npos || end_of_name + 2 >= text.size() ? '?' : text[end_of_name + 2];
}

class Viewer : public testing::Test {
 protected:
  // The window manager gives the window the keyboard focus, as a desktop would.
  Viewer() : session_({.window_manager = xtest::WindowManager::openbox}) {}

  void SetUp() override {
    // The pointer off the window: no movement sets the delay count, so the
    // mechanism runs at the start's pace until a test moves the pointer.
    session_.x_tool({"xdotool", "mousemove", "0", "0"});
    session_.launch({ZEMK_PROGRAM});
    window_ = session_.find_window();
    session_.wait_until_active(window_);
    // Keys handled while the frames load are replaced by the initial state: wait
    // for the playback loop, the first thing that changes the frame.
    ASSERT_TRUE(running()) << "the mechanism never started to run";
  }

  void TearDown() override {
    if (frozen_) thaw();
    if (HasFailure()) std::cerr << "program stderr:\n" << session_.program_stderr();
  }

  // The frame on the screen now, or -1 if the picture area shows none.
  int shown() { return xtest::frame_matcher().frame_shown(session_.screenshot(window_)); }

  // The frame once it has stood unchanged for kStillFor; -1 if it never does.
  int settled_frame() {
    int candidate = -1, shots = 0;
    auto since = Clock::now();
    for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
      const auto taken = Clock::now();
      const int frame = shown();
      if (frame < 0 || frame != candidate) {
        candidate = frame, shots = 1, since = taken;
      } else if (++shots >= kStillShots && taken - since >= kStillFor) {
        return candidate;
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }

  // Whether the screen comes to show `frame` and then keeps it.
  testing::AssertionResult comes_to_stand_at(int frame) {
    int last = -1;
    for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline && last != frame;) {
      last = shown();
    }
    if (last != frame) return testing::AssertionFailure() << "frame " << frame << " never shown; last " << last;
    const int settled = settled_frame();
    if (settled != frame) {
      return testing::AssertionFailure() << "frame " << frame << " shown, but then " << settled;
    }
    return testing::AssertionSuccess();
  }

  // Whether two screenshots in a row come to show different frames.
  bool running() {
    int previous = -1;
    for (const auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
      const int frame = shown();
      if (frame >= 0 && previous >= 0 && frame != previous) return true;
      if (frame >= 0) previous = frame;
    }
    return false;
  }

  void freeze() {
    const pid_t pid = session_.program().pid();
    ASSERT_EQ(0, kill(pid, SIGSTOP));
    frozen_ = true;
    for (const auto deadline = Clock::now() + kPatience; process_state(pid) != 't' && process_state(pid) != 'T';) {
      ASSERT_LT(Clock::now(), deadline) << "the program did not stop";
      std::this_thread::sleep_for(1ms);
    }
  }
  void thaw() {
    kill(session_.program().pid(), SIGCONT);
    frozen_ = false;
  }

  // Which way a running mechanism turns, from short bursts of the frozen program:
  // each burst moves it by a position or two, so the screenshots on either side
  // of a burst tell forward (+1 to +kMaxBurst) from backward. Bursts that moved
  // it not at all or too far to tell are not counted; they make the next burst
  // longer or shorter, so that bursts come to match the pass, however long.
  struct Turning {
    int forward = 0, backward = 0;
  };
  Turning turning(int bursts) {
    constexpr int kMaxBurst = 6;
    constexpr auto kShortestBurst = 1ms, kLongestBurst = 200ms;
    Turning seen;
    auto burst = kShortestBurst;
    freeze();
    int before = shown();
    for (const auto deadline = Clock::now() + kPatience;
         seen.forward + seen.backward < bursts && Clock::now() < deadline;) {
      thaw();
      std::this_thread::sleep_for(burst);
      freeze();
      const int after = shown();
      if (before >= 0 && after >= 0 && set_of(before) == set_of(after)) {
        const int moved = (position_of(after) - position_of(before) + kPositions) % kPositions;
        if (moved >= 1 && moved <= kMaxBurst) ++seen.forward;
        if (moved >= kPositions - kMaxBurst) ++seen.backward;
        if (moved == 0) burst = std::min(2 * burst, kLongestBurst);
        if (moved > kMaxBurst && moved < kPositions - kMaxBurst) burst = std::max(burst / 2, kShortestBurst);
      }
      before = after;
    }
    thaw();
    return seen;
  }

  // xdotool may end before the server has passed its key on: a request of our
  // own behind it, and a moment's grace, let the key reach the frozen program.
  void key_delivered() {
    session_.x_tool({"xdotool", "getmouselocation"});
    std::this_thread::sleep_for(300ms);
  }

  // Stops the initial run with "/" and returns the frame it stands on.
  int stopped_frame() {
    session_.type("/");
    const int frame = settled_frame();
    EXPECT_GE(frame, 0) << "\"/\" did not stop the mechanism";
    return frame;
  }

  xtest::XSession session_;
  std::string window_;
  bool frozen_ = false;
};

TEST_F(Viewer, SlashStopsTheRunOnAFrameOfTheFirstSet) {
  const int frame = stopped_frame();
  ASSERT_GE(frame, 0);
  EXPECT_EQ(0, set_of(frame));
  // Still after a further while, not merely slow.
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(frame, settled_frame());
}

// Keys on a standing mechanism, one after another, each with the position
// change and the set it leads to.
struct StillKey {
  std::string key;     // typed as text, or, for a keypad key, its X keysym name
  int step = 0;        // change of position
  int set = 0;         // set shown afterwards
  bool keypad = false;
};

TEST_F(Viewer, StepAndSetKeysOnAStandingMechanism) {
  const std::vector<StillKey> keys = {
      {".", +1, 0}, {".", +1, 0}, {"/", -1, 0}, {"*", +1, 0},  // steps within set 0
      {"n", 0, 2},  {"/", -1, 2}, {".", +1, 2},                // set 2, steps stay in it
      {"b", 0, 1},  {"v", 0, 0},                               // the other sets, same position
      {" ", 0, 1},  {" ", 0, 2},  {" ", 0, 1},  {" ", 0, 0},   // Space walks 0, 1, 2, 1, 0
      {"N", 0, 2},  {"B", 0, 1},  {"V", 0, 0},                 // capitals choose alike
      {"KP_Decimal", +1, 0, true}, {"KP_Divide", -1, 0, true},  // the keypad's "." and "/"
  };
  const int start = stopped_frame();
  ASSERT_GE(start, 0);
  int position = position_of(start);
  for (const StillKey& k : keys) {
    position += k.step;
    if (k.keypad) {
      session_.key(k.key);
    } else {
      session_.type(k.key);
    }
    ASSERT_TRUE(comes_to_stand_at(frame_index(k.set, position))) << "after \"" << k.key << "\"";
  }
}

// A start key runs the mechanism one way; a step key given during the run stops
// it where it is, whichever way the step would go.
struct RunKeys {
  std::string start;
  int direction = 0;
  std::string step;
};
void PrintTo(const RunKeys& keys, std::ostream* out) { *out << '"' << keys.start << "\" then \"" << keys.step << '"'; }

class RunThenStep : public Viewer, public testing::WithParamInterface<RunKeys> {};

TEST_P(RunThenStep, RunsItsWayAndTheStepKeyStopsItWhereItIs) {
  const RunKeys keys = GetParam();
  ASSERT_GE(stopped_frame(), 0);
  session_.type(keys.start);
  ASSERT_TRUE(running()) << "\"" << keys.start << "\" did not start a run";

  constexpr int kBursts = 8;
  const Turning seen = turning(kBursts);
  const int with = keys.direction > 0 ? seen.forward : seen.backward;
  const int against = keys.direction > 0 ? seen.backward : seen.forward;
  EXPECT_GE(with, kBursts - 1) << "forward " << seen.forward << ", backward " << seen.backward;
  EXPECT_LE(against, 1) << "forward " << seen.forward << ", backward " << seen.backward;

  // The key waits in the queue of the frozen program. The frame of the pass under
  // way may not be on the screen yet, and on a loaded machine the key may reach
  // the program a pass late: up to two positions on in the run's own direction,
  // never a step the other way.
  freeze();
  const int before = shown();
  ASSERT_GE(before, 0);
  session_.type(keys.step);
  key_delivered();
  thaw();
  const int after = settled_frame();
  ASSERT_GE(after, 0) << "the mechanism did not stop";
  const int on = ((position_of(after) - position_of(before)) * keys.direction + kPositions) % kPositions;
  EXPECT_EQ(set_of(before), set_of(after));
  EXPECT_LE(on, 2) << "before " << before << ", after " << after;
}

INSTANTIATE_TEST_SUITE_P(Keys, RunThenStep,
                         testing::Values(RunKeys{"+", +1, "/"}, RunKeys{",", +1, "."}, RunKeys{"-", -1, "."},
                                         RunKeys{"-", -1, "/"}),
                         [](const auto& info) {
                           const RunKeys& k = info.param;
                           const auto name = [](const std::string& key) {
                             return key == "+" ? "plus" : key == "," ? "comma" : key == "-" ? "minus"
                                    : key == "/" ? "slash" : "period";
                           };
                           return std::string(name(k.start)) + "_then_" + name(k.step);
                         });

// After a click the pointer steps the mechanism: down (or sideways) forward,
// up backward, one position per movement.
struct PointerMove {
  int dx = 0, dy = 0;
  int step = 0;
};

TEST_F(Viewer, AfterAClickPointerMovementStepsTheMechanism) {
  const int start = stopped_frame();
  ASSERT_GE(start, 0);
  int x = kPointerX, y = kPointerY;
  // Before the click a movement sets the speed only.
  session_.move_to(window_, x, y);
  ASSERT_TRUE(comes_to_stand_at(start)) << "a movement before the click";
  session_.click();
  ASSERT_TRUE(comes_to_stand_at(start)) << "the click itself";

  const std::vector<PointerMove> moves = {
      {0, 1, +1}, {0, 1, +1}, {0, 3, +1},    // down
      {0, -1, -1}, {0, -2, -1}, {0, -1, -1}, {0, -1, -1},  // up, past the place of the click
      {1, 0, +1}, {-1, 0, +1},               // sideways
  };
  int position = position_of(start);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    x += moves[i].dx, y += moves[i].dy, position += moves[i].step;
    session_.move_to(window_, x, y);
    ASSERT_TRUE(comes_to_stand_at(frame_index(0, position))) << "movement " << i << " to " << x << "," << y;
  }
}

// Two clicks that wait in the queue while the program is stopped are read in one
// pump. Seconds apart, though a few pixels apart only, they are two clicks, not a
// double-click that would end the program.
TEST_F(Viewer, TwoClicksReadTogetherAfterAStallAreNoDoubleClick) {
  session_.move_to(window_, kPointerX, kPointerY);
  freeze();
  session_.click();
  std::this_thread::sleep_for(1s);  // well beyond the double-click time
  session_.move_to(window_, kPointerX + 5, kPointerY);
  session_.click();
  key_delivered();
  thaw();
  EXPECT_FALSE(session_.wait_for_exit(2s).has_value()) << "the two clicks ended it as a double-click";
  session_.key("Escape");
  EXPECT_EQ(0, session_.wait_for_exit(kPatience).value_or(-1));
}

// The program's own two ways to quit, with success.
struct Quit {
  std::string name;
  std::function<void(xtest::XSession&, const std::string& window)> act;
};
void PrintTo(const Quit& quit, std::ostream* out) { *out << quit.name; }

class Quitting : public Viewer, public testing::WithParamInterface<Quit> {};

TEST_P(Quitting, EndsTheProgramWithSuccess) {
  GetParam().act(session_, window_);
  const auto status = session_.wait_for_exit(kPatience);
  ASSERT_TRUE(status.has_value()) << "still running";
  EXPECT_EQ(0, *status);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Quitting,
    testing::Values(Quit{"escape", [](xtest::XSession& s, const std::string&) { s.key("Escape"); }},
                    Quit{"double_click",
                         [](xtest::XSession& s, const std::string& window) {
                           s.move_to(window, kPointerX, kPointerY);
                           s.x_tool({"xdotool", "click", "--repeat", "2", "--delay", "50", "1"});
                         }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
