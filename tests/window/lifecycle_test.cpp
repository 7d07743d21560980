// How the program ends in a real window: without a display, when the display goes
// away under it, and when the window manager closes its window.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/window/programs.h"
#include "tests/window/x_session.h"

namespace {

using namespace std::chrono_literals;

// Whether any process of the program's group is still there.
bool group_alive(pid_t group) { return kill(-group, 0) == 0 || errno != ESRCH; }

class Lifecycle : public testing::TestWithParam<xtest::ProgramUnderTest> {
 protected:
  void report(xtest::XSession& session) {
    if (HasFailure()) std::cerr << "program stderr:\n" << session.program_stderr();
  }
};

TEST_P(Lifecycle, WithoutADisplayItSaysSoAndEndsAtOnce) {
  xtest::XSession session;
  session.launch({GetParam().path}, {.with_display = false, .set_env = {}, .unset_env = {}});
  const auto status = session.wait_for_exit(10s);
  ASSERT_TRUE(status.has_value()) << "still running, invisibly";
  EXPECT_NE(0, *status);
  EXPECT_NE(std::string::npos, session.program_stderr().find("zemk: no display: set DISPLAY"))
      << session.program_stderr();
}

TEST_P(Lifecycle, WhenTheDisplayGoesAwayItEndsWithinASecond) {
  xtest::XSession session;
  session.launch({GetParam().path});
  session.find_window();
  session.kill_server();
  const auto status = session.wait_for_exit(1s);
  ASSERT_TRUE(status.has_value()) << "still running a second after its display went away";
  EXPECT_NE(0, *status);
  EXPECT_NE(std::string::npos, session.program_stderr().find("zemk: the connection to the display was lost"))
      << session.program_stderr();
  report(session);
}

TEST_P(Lifecycle, WindowManagersCloseEndsItCleanly) {
  xtest::XSession session({.window_manager = true});
  session.launch({GetParam().path});
  session.wait_until_active(session.find_window());
  // openbox's close: WM_DELETE_WINDOW to the focused window. On a loaded machine
  // the first press can come before openbox has the window's focus in hand, so
  // the test presses again, as a user would, until the program has gone.
  std::optional<int> status;
  for (int press = 0; press < 5 && !status; ++press) {
    session.key("alt+F4");
    status = session.wait_for_exit(2s);
  }
  ASSERT_TRUE(status.has_value()) << "still running after its window was closed";
  EXPECT_EQ(0, *status);
  EXPECT_TRUE(session.windows_of_program().empty());
  EXPECT_FALSE(group_alive(session.program().pid()));
  report(session);
}

// Where the session has no message bus, libdbus starts one with dbus-launch
// unless told not to; a bus started so would outlive the program. A dbus-launch
// of the test's own, first on PATH, records being run and fails.
TEST_P(Lifecycle, StartsNoMessageBusOfItsOwn) {
  constexpr const char* kInstalledLauncher = "/usr/bin/dbus-launch";  // tried before PATH
  if (std::filesystem::exists(kInstalledLauncher)) GTEST_SKIP() << kInstalledLauncher << " would run instead";
  const std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                          ("zemk-no-bus-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  const std::filesystem::path ran = directory / "dbus-launch-ran";
  std::ofstream(directory / "dbus-launch") << "#!/bin/sh\necho \"$@\" > '" << ran.string() << "'\nexit 1\n";
  std::filesystem::permissions(directory / "dbus-launch", std::filesystem::perms::owner_all);

  {
    xtest::XSession session;
    session.launch({GetParam().path},
                   {.with_display = true,
                    .set_env = {{"PATH", directory.string() + ":" + getenv("PATH")},
                                {"XDG_RUNTIME_DIR", directory.string()}},  // no bus socket there
                    .unset_env = {"DBUS_SESSION_BUS_ADDRESS"}});
    session.find_window();  // the bus, if any, is sought before the window opens
    EXPECT_FALSE(std::filesystem::exists(ran)) << "dbus-launch was run";
    EXPECT_EQ(std::string::npos, session.program_stderr().find("bus")) << session.program_stderr();
    report(session);
  }
  std::filesystem::remove_all(directory);
}

INSTANTIATE_TEST_SUITE_P(Programs, Lifecycle, testing::ValuesIn(xtest::programs_under_test()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
