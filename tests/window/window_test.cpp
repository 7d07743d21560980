// The window as the desktop shows it: caption, size, place, and the picture
// area's pixels, read back from a real X server.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "frames/window_layout.h"
#include "tests/window/frame_matcher.h"
#include "tests/window/programs.h"
#include "tests/window/x_session.h"

namespace {

using namespace std::chrono_literals;
using xtest::Rgb;
using xtest::RgbImage;

using xtest::kClientHeight;
using xtest::kClientWidth;

int frame_shown(const RgbImage& shot) { return xtest::frame_matcher().frame_shown(shot); }

class RealWindow : public testing::TestWithParam<xtest::ProgramUnderTest> {
 protected:
  void SetUp() override {
    session_.launch({GetParam().path});
    window_ = session_.find_window();
  }
  void TearDown() override {
    if (HasFailure()) std::cerr << "program stderr:\n" << session_.program_stderr();
  }

  // A screenshot once the picture area shows a frame (before the first frame is
  // set it shows its background only).
  RgbImage shot_showing_a_frame(int& frame) {
    RgbImage shot;
    for (auto deadline = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < deadline;) {
      shot = session_.screenshot(window_);
      if (shot.width == kClientWidth && shot.height == kClientHeight && (frame = frame_shown(shot)) >= 0) break;
      std::this_thread::sleep_for(50ms);
    }
    return shot;
  }

  xtest::XSession session_;
  std::string window_;
};

TEST_P(RealWindow, CaptionIsTheLayoutsEveryBlankKept) {
  EXPECT_EQ(std::string(frames::window_layout().caption), session_.caption(window_));
}

// Task bars and icons show the window by its icon name: the caption too.
TEST_P(RealWindow, IconNameIsTheCaption) {
  const std::string caption(frames::window_layout().caption);
  EXPECT_EQ(caption, session_.text_property(window_, "WM_ICON_NAME"));
  EXPECT_EQ(caption, session_.text_property(window_, "_NET_WM_ICON_NAME"));
}

TEST_P(RealWindow, ClientAreaHasTheLayoutsSizeCentredOnTheScreen) {
  const xtest::WindowGeometry g = session_.geometry(window_);
  EXPECT_TRUE(g.viewable);
  EXPECT_EQ(kClientWidth, g.width);
  EXPECT_EQ(kClientHeight, g.height);
  EXPECT_EQ((xtest::kScreenWidth - kClientWidth) / 2, g.x);
  EXPECT_EQ((xtest::kScreenHeight - kClientHeight) / 2, g.y);
}

TEST_P(RealWindow, BorderCannotBeResized) {
  // A fixed border: the window tells the window manager that its smallest and
  // largest sizes are both its own.
  const std::string hints = session_.x_tool({"xprop", "-id", window_, "WM_NORMAL_HINTS"});
  EXPECT_NE(std::string::npos, hints.find("minimum size: 571 by 566")) << hints;
  EXPECT_NE(std::string::npos, hints.find("maximum size: 571 by 566")) << hints;
}

TEST_P(RealWindow, TitleBarOffersMovingAloneAsTheLayoutSwitchesItsControlsOff) {
  // _MOTIF_WM_HINTS: functions and decorations given; move only; border and title only.
  const std::string hints = session_.x_tool({"xprop", "-id", window_, "-notype", "32c", "_MOTIF_WM_HINTS"});
  EXPECT_NE(std::string::npos, hints.find("= 3, 4, 10, 0, 0")) << hints;
}

TEST_P(RealWindow, PictureAreaShowsAFramePixelForPixelInsideItsSunkenBorder) {
  int frame = -1;
  const RgbImage shot = shot_showing_a_frame(frame);
  ASSERT_EQ(kClientWidth, shot.width);
  ASSERT_EQ(kClientHeight, shot.height);
  if (frame < 0) {
    FAIL() << "no frame shown; against frame 0: " << xtest::frame_matcher().first_difference(shot, 0);
  }
  if (GetParam().fixed_frame >= 0) {
    EXPECT_EQ(GetParam().fixed_frame, frame);
  }

  // The border: shadow rings on the top and left edges, light ones on the right;
  // the bottom edge lies below the window.
  const Rgb outer_shadow{128, 128, 128}, inner_shadow{64, 64, 64};
  const Rgb outer_light{255, 255, 255}, inner_light{223, 223, 223};
  for (int x = 0; x < kClientWidth - 1; ++x) EXPECT_EQ(outer_shadow, shot.at(x, 0)) << "top, x " << x;
  for (int x = 1; x < kClientWidth - 2; ++x) EXPECT_EQ(inner_shadow, shot.at(x, 1)) << "top, x " << x;
  for (int y = 0; y < kClientHeight; ++y) {
    EXPECT_EQ(outer_light, shot.at(kClientWidth - 1, y)) << "right, y " << y;
    EXPECT_EQ(outer_shadow, shot.at(0, y)) << "left, y " << y;
    if (y >= 1) {
      EXPECT_EQ(inner_light, shot.at(kClientWidth - 2, y)) << "right, y " << y;
      EXPECT_EQ(inner_shadow, shot.at(1, y)) << "left, y " << y;
    }
  }
  // The rows below the frame are the background, not the frames' white margin.
  EXPECT_EQ("", xtest::frame_matcher().first_difference(shot, frame));
}

// Screens of other depths. The frames' colours (full or no intensity in each
// channel, and white) exist at every depth, so every frame pixel must be exact;
// the greys of the border and background are as close as the depth's coarsest
// channel allows. An 8-bit screen shows the window through its 3-3-2 TrueColor
// visual, beside the default PseudoColor one.
struct Depth {
  int bits;
  int grey_tolerance;  // half the step of the coarsest channel, rounded up
};

class ScreenDepth : public testing::TestWithParam<Depth> {};

TEST_P(ScreenDepth, FramePixelForPixelAndTheGreysAsCloseAsTheDepthAllows) {
  xtest::XSession session({.depth = GetParam().bits});
  session.launch({SHOW_FRAME_PROGRAM});
  const std::string window = session.find_window();
  RgbImage shot;
  for (auto deadline = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < deadline;) {
    shot = session.screenshot(window);
    if (frame_shown(shot) == 0) break;
    std::this_thread::sleep_for(50ms);
  }
  ASSERT_EQ(0, frame_shown(shot)) << xtest::frame_matcher().first_difference(shot, 0) << "\n"
                                  << session.program_stderr();

  const Rgb outer_shadow{128, 128, 128}, inner_shadow{64, 64, 64};
  const Rgb outer_light{255, 255, 255}, inner_light{223, 223, 223};
  const auto outside_the_frame = [&](int x, int y) -> std::optional<Rgb> {
    if (x == kClientWidth - 1) return outer_light;
    if (x == 0 || y == 0) return outer_shadow;
    if (x == kClientWidth - 2) return inner_light;
    if (x == 1 || y == 1) return inner_shadow;
    if (y >= xtest::kBorder + xtest::kFrameRows) return xtest::kBackground;
    return std::nullopt;
  };
  const auto off = [](std::uint8_t a, std::uint8_t b) { return std::abs(int(a) - int(b)); };
  int far_off = 0;
  for (int y = 0; y < kClientHeight; ++y) {
    for (int x = 0; x < kClientWidth; ++x) {
      const auto want = outside_the_frame(x, y);
      if (!want) continue;
      const Rgb got = shot.at(x, y);
      const int worst = std::max({off(got.r, want->r), off(got.g, want->g), off(got.b, want->b)});
      if (worst > GetParam().grey_tolerance && far_off++ == 0) {
        ADD_FAILURE() << "client pixel " << x << "," << y << " is " << int(got.r) << "," << int(got.g) << ","
                      << int(got.b) << ", wanted about " << int(want->r) << "," << int(want->g) << ","
                      << int(want->b);
      }
    }
  }
  EXPECT_EQ(0, far_off);
}

INSTANTIATE_TEST_SUITE_P(Depths, ScreenDepth,
                         testing::Values(Depth{24, 0}, Depth{30, 1}, Depth{16, 5}, Depth{8, 43}),
                         [](const auto& info) { return "depth" + std::to_string(info.param.bits); });

// The whole window centred within 2 pixels: under a window manager with its
// frame, without one the client area alone. On a screen lower than the window
// its top edge, and so a title bar, lies on the screen.
struct Placement {
  xtest::WindowManager window_manager;
  int width, height;  // the screen's
};

void PrintTo(const Placement& p, std::ostream* out) {
  *out << xtest::name_of(p.window_manager) << " on " << p.width << "x" << p.height;
}

class PlacedWindow : public testing::TestWithParam<Placement> {};

TEST_P(PlacedWindow, WholeWindowIsCentredAndItsTopLeftOnTheScreen) {
  const auto [window_manager, screen_width, screen_height] = GetParam();
  xtest::XSession session({.window_manager = window_manager, .width = screen_width, .height = screen_height});
  session.launch({SHOW_FRAME_PROGRAM});
  const std::string window = session.find_window();
  const auto centred = [&](const xtest::WindowGeometry& frame) {
    return std::abs(std::max(0, (screen_width - frame.width) / 2) - frame.x) <= 2 &&
           std::abs(std::max(0, (screen_height - frame.height) / 2) - frame.y) <= 2;
  };
  // The window manager carries out a move of the program's as it gets to it.
  xtest::eventually([&] { return centred(session.frame(window)); }, 5s);
  const xtest::WindowGeometry frame = session.frame(window);
  EXPECT_NEAR(std::max(0, (screen_width - frame.width) / 2), frame.x, 2);
  EXPECT_NEAR(std::max(0, (screen_height - frame.height) / 2), frame.y, 2);
  EXPECT_GE(frame.x, 0);
  EXPECT_GE(frame.y, 0);
  const xtest::WindowGeometry client = session.geometry(window);
  EXPECT_EQ(kClientWidth, client.width);
  EXPECT_EQ(kClientHeight, client.height);
}

// Every window manager on a usual screen and on one lower than the window, and
// openbox on one between.
std::vector<Placement> placements() {
  std::vector<Placement> all{{xtest::WindowManager::openbox, 1024, 768}};
  for (const xtest::WindowManager window_manager : xtest::kEveryWindowManager) {
    all.push_back({window_manager, xtest::kScreenWidth, xtest::kScreenHeight});
    all.push_back({window_manager, 640, 480});
  }
  return all;
}

INSTANTIATE_TEST_SUITE_P(Screens, PlacedWindow, testing::ValuesIn(placements()), [](const auto& info) {
  return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) + "_" +
         xtest::name_of(info.param.window_manager);
});

// Window managers that maximise the window or make it fullscreen though its
// hints say it cannot be, and another program that resizes it: each is undone,
// the window back at its size where it was, with its frame, showing its picture.
struct SizeChange {
  const char* name;
  xtest::WindowManager window_manager;
  std::vector<std::string> command;  // kWindow stands for the window's id
};
constexpr const char* kWindow = "WINDOW";
void PrintTo(const SizeChange& change, std::ostream* out) { *out << change.name; }

class KeptSize : public testing::TestWithParam<SizeChange> {};

TEST_P(KeptSize, TheWindowIsPutBackAtItsSizeWhereItWas) {
  xtest::XSession session({.window_manager = GetParam().window_manager});
  session.launch({SHOW_FRAME_PROGRAM});
  const std::string window = session.find_window();
  const auto shows_its_picture = [&] { return frame_shown(session.screenshot(window)) == 0; };
  ASSERT_TRUE(xtest::eventually(shows_its_picture)) << "the picture never showed";
  const xtest::WindowGeometry before = session.geometry(window);
  // Stopped, the program cannot undo the change before the test has seen it made.
  const pid_t pid = session.program().pid();
  ASSERT_EQ(0, kill(pid, SIGSTOP));
  std::vector<std::string> command = GetParam().command;
  std::replace(command.begin(), command.end(), std::string(kWindow), window);
  session.x_tool(command);
  const auto in_its_place = [&] {
    const xtest::WindowGeometry now = session.geometry(window);
    return now.width == kClientWidth && now.height == kClientHeight && now.x == before.x && now.y == before.y;
  };
  const bool changed = xtest::eventually([&] { return !in_its_place(); });
  kill(pid, SIGCONT);
  ASSERT_TRUE(changed) << "the window manager left the window as it was";
  EXPECT_TRUE(xtest::eventually(in_its_place)) << "the window stayed as it was made";
  EXPECT_TRUE(xtest::eventually(shows_its_picture)) << "the picture area is not back";
  EXPECT_TRUE(session.program().running());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, KeptSize,
    testing::Values(
        SizeChange{"fluxbox_maximises", xtest::WindowManager::fluxbox,
                   {"wmctrl", "-i", "-r", kWindow, "-b", "add,maximized_vert,maximized_horz"}},
        SizeChange{"icewm_makes_it_fullscreen", xtest::WindowManager::icewm,
                   {"wmctrl", "-i", "-r", kWindow, "-b", "add,fullscreen"}},
        // openbox keeps the size, and takes the frame off and the window to the corner.
        SizeChange{"openbox_makes_it_fullscreen", xtest::WindowManager::openbox,
                   {"wmctrl", "-i", "-r", kWindow, "-b", "add,fullscreen"}},
        SizeChange{"another_program_resizes_it_under_twm", xtest::WindowManager::twm,
                   {"xdotool", "windowsize", kWindow, "30000", "30000"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Programs, RealWindow, testing::ValuesIn(xtest::programs_under_test()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
