// The window as the desktop shows it: caption, size, place, and the picture
// area's pixels, read back from a real X server.
#include <gtest/gtest.h>

#include <chrono>
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

INSTANTIATE_TEST_SUITE_P(Programs, RealWindow, testing::ValuesIn(xtest::programs_under_test()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
