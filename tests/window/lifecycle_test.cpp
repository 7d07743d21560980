// How the program ends in a real window: without a display, when the display goes
// away under it, when the window manager or another program closes its window,
// and on a signal to end while its error box is up.
#include <gtest/gtest.h>
#include <signal.h>
#include <string.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>

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

TEST_P(Lifecycle, WhenTheDisplayGoesAwayItEndsWithinASecond) {
  xtest::XSession session;
  session.launch({GetParam().path});
  session.find_window();
  session.kill_server();
  const auto status = session.wait_for_exit(1s);
  ASSERT_TRUE(status.has_value()) << "still running a second after its display went away";
  EXPECT_NE(0, *status);
  EXPECT_EQ("zemk: runtime error 5: the connection to the display was lost\n", session.program_stderr());
  report(session);
}

TEST_P(Lifecycle, WindowManagersCloseEndsItCleanly) {
  xtest::XSession session({.window_manager = xtest::WindowManager::openbox});
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

// Another program destroys the window (as xdotool's windowclose does): the
// runtime's one line for it, nothing of Xlib's own report, and its failure status.
TEST_P(Lifecycle, WhenAnotherProgramDestroysTheWindowItSaysSoInOneLine) {
  xtest::XSession session;
  session.launch({GetParam().path});
  session.x_tool({"xdotool", "windowclose", session.find_window()});
  const auto status = session.wait_for_exit(5s);
  ASSERT_TRUE(status.has_value()) << "still running without its window";
  EXPECT_EQ(1, *status);
  EXPECT_EQ("zemk: runtime error 5: the window was closed by another program\n", session.program_stderr());
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

// SIGTERM and SIGINT while the error box waits for the user: the program ends at
// once with the status of its error, and its box goes with it: SDL shows the box
// from a process of its own, of the program's group.
class ErrorBoxUp : public testing::TestWithParam<int> {};

TEST_P(ErrorBoxUp, ASignalToEndEndsTheProgramAndItsBox) {
  xtest::XSession session;
  session.launch({SHOW_FRAME_PROGRAM, "--fail"});
  // The box, a child of the root titled as the program.
  const auto box_shown = [&] {
    return session.x_tool({"xwininfo", "-root", "-children"}).find("\"zemk\": (") != std::string::npos;
  };
  ASSERT_TRUE(xtest::eventually(box_shown)) << "no error box\n" << session.program_stderr();
  const pid_t program = session.program().pid();
  ASSERT_EQ(0, kill(program, GetParam()));
  const auto status = session.wait_for_exit(5s);
  ASSERT_TRUE(status.has_value()) << "still running with its box up";
  EXPECT_EQ(1, *status);
  EXPECT_EQ("zemk: runtime error 3: Picture1: PictureBox.Refresh failed\n", session.program_stderr());
  EXPECT_TRUE(xtest::eventually([&] { return !group_alive(program); })) << "the box's process outlived the program";
  EXPECT_TRUE(xtest::eventually([&] { return !box_shown(); })) << "the box is still up";
}

INSTANTIATE_TEST_SUITE_P(Signals, ErrorBoxUp, testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// Displays that cannot be used, and what the program says of each.
enum class Unusable { unset, no_server, refusing };

struct UnusableCase {
  const char* name;
  Unusable display;
};

const UnusableCase kUnusableDisplays[] = {
    {"DisplayUnset", Unusable::unset},
    {"NoServer", Unusable::no_server},
    {"ServerRefuses", Unusable::refusing},
};

// A display number that no server holds: neither its socket nor its lock file
// is there. Servers of other sessions take the lowest free numbers.
std::string display_with_no_server() {
  for (int number = 500;; ++number) {
    const std::string n = std::to_string(number);
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) && !std::filesystem::exists("/tmp/.X" + n + "-lock")) {
      return ":" + n;
    }
  }
}

class UnusableDisplay : public testing::TestWithParam<std::tuple<xtest::ProgramUnderTest, UnusableCase>> {};

// It ends at once with a line that names the display and says why, and nothing
// misleading before it: SDL tries no driver but X's, so no complaint of the
// Wayland driver about its runtime directory.
TEST_P(UnusableDisplay, ItSaysWhyAndEndsAtOnce) {
  const auto& [program, unusable] = GetParam();
  xtest::XSession session({.refuse_clients = unusable.display == Unusable::refusing});
  xtest::XSession::LaunchOptions launch{.with_display = unusable.display == Unusable::refusing,
                                        .set_env = {},
                                        .unset_env = {"XDG_RUNTIME_DIR"}};
  std::string expected;
  switch (unusable.display) {
    case Unusable::unset:
      expected = "zemk: no display: DISPLAY is not set\n";
      break;
    case Unusable::no_server:
      launch.set_env["DISPLAY"] = display_with_no_server();
      expected = "zemk: cannot open display " + launch.set_env["DISPLAY"] + ": no X server is running there\n";
      break;
    case Unusable::refusing:
      expected = "zemk: cannot open display " + session.display() +
                 ": the X server refused the connection: Authorization required";
      break;
  }
  session.launch({program.path}, launch);
  const auto status = session.wait_for_exit(10s);
  ASSERT_TRUE(status.has_value()) << "still running, invisibly";
  EXPECT_NE(0, *status);
  const std::string said = session.program_stderr();
  EXPECT_NE(std::string::npos, said.find(expected)) << said;
  EXPECT_EQ(std::string::npos, said.find("XDG_RUNTIME_DIR")) << said;
}

INSTANTIATE_TEST_SUITE_P(Programs, UnusableDisplay,
                         testing::Combine(testing::ValuesIn(xtest::programs_under_test()),
                                          testing::ValuesIn(kUnusableDisplays)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
                         });

INSTANTIATE_TEST_SUITE_P(Programs, Lifecycle, testing::ValuesIn(xtest::programs_under_test()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
