// A short session of the real program under valgrind's memcheck, in a real window:
// keys, clicks and pointer movements in both mouse modes, then Esc. Memcheck
// reports no invalid read or write and no definite leak.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/window/frame_matcher.h"
#include "tests/window/x_session.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Memcheck runs the program some tens of times slower.
constexpr auto kPatience = 120s;
constexpr int kFoundErrors = 99;  // memcheck's exit status when it found any

TEST(Memcheck, ShortSessionHasNoInvalidAccessAndNoDefiniteLeak) {
  xtest::XSession session;
  session.launch({"valgrind", "--error-exitcode=" + std::to_string(kFoundErrors), "--leak-check=full",
                  "--errors-for-leak-kinds=definite", "--suppressions=" VALGRIND_SUPPRESSIONS, ZEMK_PROGRAM});
  const std::string window = session.find_window(kPatience);
  int frame = -1;
  for (const auto deadline = Clock::now() + kPatience; frame < 0 && Clock::now() < deadline;) {
    frame = xtest::frame_matcher().frame_shown(session.screenshot(window));
  }
  ASSERT_GE(frame, 0) << "no frame shown\n" << session.program_stderr();

  session.type("/.n b+v-*, ");
  session.move_to(window, 300, 200);  // automatic mode: the delay count
  session.click();                    // manual mode: steps
  session.move_to(window, 300, 240);
  session.move_to(window, 300, 220);
  session.click();
  std::this_thread::sleep_for(1s);
  session.key("Escape");

  const auto status = session.wait_for_exit(kPatience);
  ASSERT_TRUE(status.has_value()) << "still running after Esc";
  const std::string report = session.program_stderr();
  EXPECT_EQ(0, *status) << report;
  EXPECT_NE(std::string::npos, report.find("ERROR SUMMARY: 0 errors")) << report;
}

}  // namespace
