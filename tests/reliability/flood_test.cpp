// The program under floods of input in a real window: bursts of ten thousand
// pointer movements, clicks and key presses. It keeps running and showing
// frames, its memory stops growing, and it still stops and quits on its keys.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/reliability/input_flood.h"
#include "tests/window/frame_matcher.h"
#include "tests/window/x_session.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kBursts = 5;
constexpr int kEventsPerBurst = 10000;
// Resident memory may grow to a high-water mark over the first bursts (the
// queues of the display library keep what they once held); from the third
// burst on it may move by no more than this.
constexpr long kResidentMarginKb = 2 * 1024;
constexpr int kHighWaterBy = 3;  // the burst by which the mark is reached
// A burst arrives far faster than the program takes it: SDL refreshes its
// keyboard state on every Shift change, about two seconds for a burst here.
// The program has taken a burst once its memory has stood still this long, and
// at least kDrainAtLeast has gone by: a burst sent onto the backlog of the one
// before would need queues the size of both.
constexpr auto kMemoryStill = 3s;
constexpr auto kDrainAtLeast = 6s;
constexpr auto kTakesBurstAtMost = 60s;
constexpr bool kMemoryIsTheProgramsOwn = !SANITIZED_BUILD;

class Flood : public testing::Test {
 protected:
  void SetUp() override {
    session_.launch({ZEMK_PROGRAM});
    window_ = session_.find_window();
  }
  void TearDown() override {
    if (HasFailure()) std::cerr << "program stderr:\n" << session_.program_stderr();
  }

  // The frame a screenshot shows, waiting out a screenshot taken mid-update;
  // -1 if none shows one before `timeout`.
  int frame_on_screen(std::chrono::milliseconds timeout = 10s) {
    for (const auto deadline = Clock::now() + timeout;;) {
      const int frame = xtest::frame_matcher().frame_shown(session_.screenshot(window_));
      if (frame >= 0 || Clock::now() > deadline) return frame;
      std::this_thread::sleep_for(20ms);
    }
  }

  // The program's resident memory once it has taken the burst just sent.
  long settled_resident_kb() {
    const auto sent = Clock::now();
    long last = session_.resident_kb();
    auto since = sent;
    for (const auto deadline = sent + kTakesBurstAtMost; Clock::now() < deadline;) {
      std::this_thread::sleep_for(250ms);
      const long now = session_.resident_kb();
      if (now != last) {
        last = now, since = Clock::now();
      } else if (Clock::now() - since >= kMemoryStill && Clock::now() - sent >= kDrainAtLeast) {
        break;
      }
    }
    return last;
  }

  // Whether the shown frame changes within `timeout`.
  bool frame_changes(std::chrono::milliseconds timeout) {
    const int first = frame_on_screen();
    for (const auto deadline = Clock::now() + timeout; Clock::now() < deadline;) {
      const int now = frame_on_screen();
      if (now >= 0 && now != first) return true;
    }
    return false;
  }

  xtest::XSession session_;
  std::string window_;
};

TEST_F(Flood, ProgramAnswersThroughBurstsAndItsMemoryStopsGrowing) {
  ASSERT_GE(frame_on_screen(20s), 0) << "no frame before the first burst";
  const xtest::WindowGeometry client = session_.geometry(window_);

  std::vector<long> resident_after;
  for (int b = 1; b <= kBursts; ++b) {
    const auto start = Clock::now();
    reliability::send_flood(session_.display(), client, kEventsPerBurst);
    const std::chrono::duration<double> took = Clock::now() - start;
    std::cout << "burst " << b << ": " << kEventsPerBurst << " events in " << took.count() << " s\n";

    ASSERT_TRUE(session_.program().running()) << "ended during burst " << b;
    resident_after.push_back(settled_resident_kb());
    ASSERT_GE(frame_on_screen(), 0) << "no frame shown after burst " << b;
    std::cout << "  resident " << resident_after.back() << " kB\n";
  }
  // Under the sanitizers the program's memory is theirs: freed blocks wait in a
  // quarantine of some hundred megabytes before they are used again.
  if (kMemoryIsTheProgramsOwn) {
    EXPECT_LE(resident_after.back(), resident_after[kHighWaterBy - 1] + kResidentMarginKb)
        << "resident memory after burst " << kHighWaterBy << ": " << resident_after[kHighWaterBy - 1]
        << " kB, after burst " << kBursts << ": " << resident_after.back() << " kB";
  }

  // The bursts' clicks come in pairs, so the pointer mode is automatic again: a
  // pointer near the top-left corner makes a short delay count, and "+" runs.
  session_.move_to(window_, 20, 20);
  session_.key("plus");
  ASSERT_TRUE(frame_changes(5s)) << "\"+\" did not start the mechanism after the floods";

  session_.key("slash");
  std::this_thread::sleep_for(300ms);  // many passes at this delay count
  const xtest::RgbImage before = session_.screenshot(window_);
  std::this_thread::sleep_for(300ms);
  const xtest::RgbImage after = session_.screenshot(window_);
  EXPECT_GE(xtest::frame_matcher().frame_shown(before), 0);
  EXPECT_TRUE(xtest::same_inner_area(before, after)) << "\"/\" did not stop the mechanism";

  session_.key("Escape");
  const auto status = session_.wait_for_exit(10s);
  ASSERT_TRUE(status.has_value()) << "Esc did not end the program after the floods";
  EXPECT_EQ(0, *status);
}

}  // namespace
