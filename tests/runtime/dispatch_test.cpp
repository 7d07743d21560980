#include <gtest/gtest.h>

#include <ostream>

#include <bit>
#include <cstdio>

#include "runtime/dispatch.h"
#include "runtime/window_builder.h"
#include "tests/runtime/picture_area_fixture.h"

namespace {

using rt::DesktopEvent;
using rt::MouseButton;
using rt::NamedKey;
using Calls = std::vector<std::string>;

// Records every call the dispatcher makes, as text.
struct Recorder {
  Calls calls;
  rt::EventProcedures procedures{
      .activate = [this] { calls.push_back("Activate"); },
      .click = [this] { calls.push_back("Click"); },
      .dbl_click = [this] { calls.push_back("DblClick"); },
      .key_press = [this](std::int16_t& code) { calls.push_back("KeyPress " + std::to_string(code)); },
      .mouse_move =
          [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
            char text[80];
            std::snprintf(text, sizeof text, "MouseMove %d %d %.4f %.4f", button, shift, x, y);
            calls.emplace_back(text);
          },
  };
  rt::PictureBox box{"Picture1"};
  rt::EventDispatcher dispatcher{
      procedures, fixture::picture_area_scale(), box};

  Calls run(const std::vector<DesktopEvent>& events) {
    for (const auto& event : events) dispatcher.dispatch(event);
    return calls;
  }
};

struct Case {
  const char* what;
  std::vector<DesktopEvent> events;
  Calls calls;
};
// Test names and failure messages show the case by its name.
void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }

class Dispatch : public testing::TestWithParam<Case> {};

TEST_P(Dispatch, GivesTheHandlerCalls) {
  Recorder recorder;
  EXPECT_EQ(recorder.run(GetParam().events), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Events, Dispatch,
    testing::Values(
        Case{"letters_keep_their_case", {DesktopEvent::typed("v"), DesktopEvent::typed("V")}, {"KeyPress 118", "KeyPress 86"}},
        Case{"keypad_plus_arrives_as_text", {DesktopEvent::typed("+")}, {"KeyPress 43"}},
        Case{"one_text_event_many_characters", {DesktopEvent::typed("*/.")}, {"KeyPress 42", "KeyPress 47", "KeyPress 46"}},
        Case{"space", {DesktopEvent::typed(" ")}, {"KeyPress 32"}},
        Case{"non_ascii_characters", {DesktopEvent::typed("\xC3\xA9\xE2\x82\xAC")}, {"KeyPress 233", "KeyPress 8364"}},
        Case{"beyond_16_bit_dropped", {DesktopEvent::typed("a\xE9\xBF\xBF" "b\xF0\x9F\x98\x80")}, {"KeyPress 97", "KeyPress 98"}},
        Case{"malformed_utf8_skipped", {DesktopEvent::typed("\xC3" "a\x80")}, {"KeyPress 97"}},
        Case{"named_keys",
             {DesktopEvent::pressed(NamedKey::escape), DesktopEvent::pressed(NamedKey::enter),
              DesktopEvent::pressed(NamedKey::backspace), DesktopEvent::pressed(NamedKey::tab),
              DesktopEvent::pressed(NamedKey::other)},
             {"KeyPress 27", "KeyPress 13", "KeyPress 8", "KeyPress 9"}},
        Case{"click_on_release", {DesktopEvent::down(100, 100)}, {}},
        Case{"click", {DesktopEvent::down(100, 100), DesktopEvent::up(100, 100)}, {"Click"}},
        Case{"release_without_press", {DesktopEvent::up(100, 100)}, {}},
        Case{"double_click",
             {DesktopEvent::down(100, 100), DesktopEvent::up(100, 100), DesktopEvent::down(100, 100, 2),
              DesktopEvent::up(100, 100)},
             {"Click", "DblClick"}},
        Case{"click_after_double_click",
             {DesktopEvent::down(1, 1), DesktopEvent::up(1, 1), DesktopEvent::down(1, 1, 2), DesktopEvent::up(1, 1),
              DesktopEvent::down(1, 1, 3), DesktopEvent::up(1, 1)},
             {"Click", "DblClick", "Click"}},
        Case{"right_and_middle_buttons",
             {DesktopEvent::down(9, 9, 1, MouseButton::right), DesktopEvent::up(9, 9, MouseButton::right),
              DesktopEvent::down(9, 9, 2, MouseButton::right), DesktopEvent::down(9, 9, 1, MouseButton::middle),
              DesktopEvent::up(9, 9, MouseButton::middle)},
             {}},
        Case{"movement_inside", {DesktopEvent::moved(2, 2), DesktopEvent::moved(568, 565)},
             {"MouseMove 0 0 0.0000 0.0000", "MouseMove 0 0 14.8566 21.9922"}},
        Case{"movement_passes_buttons_and_shift", {DesktopEvent::moved(2, 2, 1, 3)}, {"MouseMove 1 3 0.0000 0.0000"}},
        Case{"movement_over_the_border",
             {DesktopEvent::moved(0, 0), DesktopEvent::moved(1, 300), DesktopEvent::moved(300, 1),
              DesktopEvent::moved(569, 300), DesktopEvent::moved(570, 300)},
             {}},
        Case{"held_button_outside_continues_scale",
             {DesktopEvent::moved(1, 300, 1), DesktopEvent::moved(-98, -98, 1), DesktopEvent::moved(600, 900, 2)},
             {"MouseMove 1 0 -0.0262 11.6406", "MouseMove 1 0 -2.6248 -3.9062", "MouseMove 2 0 15.6965 35.0781"}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.what); });

TEST(Dispatch, CloseEndsTheProgram) {
  Recorder recorder;
  EXPECT_THROW(recorder.dispatcher.dispatch(DesktopEvent::closed()), rt::ProgramEnd);
}

TEST(Dispatch, ExposeRequestsARepaint) {
  Recorder recorder;
  ASSERT_FALSE(recorder.box.repaint_pending());
  recorder.dispatcher.dispatch({.kind = DesktopEvent::Kind::expose});
  EXPECT_TRUE(recorder.box.repaint_pending());
  EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
