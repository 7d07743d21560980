// Where the window is asked to go, from the screen and the frame the window
// manager tells, whatever it tells.
#include "runtime/sdl/placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace {

using rt::FrameExtents;
using rt::Gravity;
using rt::Position;
using rt::ScreenRect;

constexpr int kWidth = 571, kHeight = 566;
constexpr FrameExtents kOpenbox{.left = 1, .right = 1, .top = 20, .bottom = 1};
constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();

struct CentredCase {
  const char* name;
  ScreenRect screen;
  FrameExtents extents;
  Position client;
};

TEST(Placement, ClientSitsWhereItsFrameIsCentredWithTheFramesTopLeftOnTheScreen) {
  const CentredCase cases[] = {
      {"no frame", {0, 0, 1280, 1024}, {}, {354, 229}},
      {"frame", {0, 0, 1280, 1024}, kOpenbox, {354, 238}},
      {"second screen to the right", {1280, 0, 1280, 1024}, kOpenbox, {1280 + 354, 238}},
      {"lower than the frame", {0, 0, 640, 480}, kOpenbox, {34, 20}},
      {"narrower and lower", {0, 0, 400, 300}, kOpenbox, {1, 20}},
      // Extents no frame can have count as no frame, and nothing overflows.
      {"huge extents", {0, 0, 1280, 1024}, {kHuge, kHuge, kHuge, kHuge}, {354, 229}},
      {"negative extent", {0, 0, 1280, 1024}, {-5, 1, 20, 1}, {354, 229}},
      {"extent wider than X allows", {0, 0, 1280, 1024}, {1, 1, 40000, 1}, {354, 229}},
      // X positions are 16-bit: a screen beyond them gives the nearest one X has.
      {"screen beyond X's coordinates", {std::numeric_limits<int>::max() - 10, 0, 1280, 1024}, {}, {32767, 229}},
  };
  for (const CentredCase& c : cases) {
    EXPECT_EQ(c.client, rt::centred_client_origin(c.screen, kWidth, kHeight, c.extents)) << c.name;
  }
}

TEST(Placement, ExtentsArePlausibleFromNoneToTheLargestXWindow) {
  EXPECT_TRUE(rt::plausible({}));
  EXPECT_TRUE(rt::plausible({32767, 32767, 32767, 32767}));
  EXPECT_FALSE(rt::plausible({32768, 0, 0, 0}));
  EXPECT_FALSE(rt::plausible({0, 0, 0, -1}));
  EXPECT_FALSE(rt::plausible({kHuge, 0, 0, 0}));
}

struct HiddenCase {
  const char* name;
  ScreenRect screen;
  std::optional<FrameExtents> told;
  Gravity gravity;
  Position position;
};

TEST(Placement, HiddenWindowAsksForTheFramesCornerIfToldElseForAGravityThatCentresAnyFrame) {
  const HiddenCase cases[] = {
      {"told", {0, 0, 1280, 1024}, kOpenbox, Gravity::north_west, {353, 218}},
      {"not told", {0, 0, 1280, 1024}, std::nullopt, Gravity::centre, {354, 229}},
      {"not told, screen lower than the client", {0, 0, 640, 480}, std::nullopt, Gravity::north, {34, 0}},
      {"not told, screen narrower", {0, 0, 500, 800}, std::nullopt, Gravity::west, {0, 117}},
      {"not told, screen smaller both ways", {0, 0, 400, 300}, std::nullopt, Gravity::north_west, {0, 0}},
      // A told frame that does not fit the screen is placed as one not told:
      // some window managers move such a frame off the screen's top.
      {"told, frame lower than the screen", {0, 0, 640, 480}, kOpenbox, Gravity::north, {34, 0}},
      {"told, but not plausibly", {0, 0, 1280, 1024}, FrameExtents{-1, 0, 0, 0}, Gravity::centre, {354, 229}},
  };
  for (const HiddenCase& c : cases) {
    const rt::HiddenPlacement placement = rt::hidden_placement(c.screen, kWidth, kHeight, c.told);
    EXPECT_EQ(c.gravity, placement.gravity) << c.name;
    EXPECT_EQ(c.position, placement.position) << c.name;
  }
}

struct MoveCase {
  const char* name;
  Position now;
  bool moves;
};

TEST(Placement, AFramedWindowMovesWhenFarFromCentredOrItsFramesTopLeftIsOffTheScreen) {
  const ScreenRect screen{0, 0, 640, 480};
  const Position centred{34, 20};
  const MoveCase cases[] = {
      {"there", {34, 20}, false},
      {"two pixels off", {36, 22}, false},
      {"three pixels off", {37, 20}, true},
      {"title bar above the screen", {34, 19}, true},
      {"frame left of the screen", {0, 20}, true},
  };
  for (const MoveCase& c : cases) EXPECT_EQ(c.moves, rt::needs_move(screen, kOpenbox, c.now, centred)) << c.name;
}

}  // namespace
