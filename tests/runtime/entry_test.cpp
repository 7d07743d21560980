#include <gtest/gtest.h>

#include <ostream>

#include <new>

#include "runtime/picture.h"
#include "runtime/runtime.h"
#include "tests/support/scripted_desktop.h"
#include "tests/runtime/tiny_bitmap.h"

namespace {

using rt::DesktopEvent;
using Kind = rt::ScriptedDesktop::Record::Kind;

// A startup object whose activation runs a chosen body and whose handlers record
// what reaches them.
struct Program {
  std::vector<std::uint8_t> value = rt_test::tiny_picture_value();
  std::vector<rt::ImageHolderLayout> holders{{.name = "Image2", .picture = value}, {.name = "Image1", .picture = value}};
  rt::WindowLayout layout{.caption = "tiny",
                          .client_width = 9000,
                          .client_height = 4500,
                          .picture_box = {.name = "Picture1", .width = 9000, .height = 4560, .sunken_border = true,
                                          .scale_width = 100, .scale_height = 50},
                          .image_holders = holders};
  std::function<void(rt::Runtime&)> activate = [](rt::Runtime& runtime) { for (;;) runtime.do_events(); };
  std::vector<std::string> calls;
  std::weak_ptr<void> instance;
  int created = 0;

  rt::ProjectRecord project() {
    return {.layout = &layout, .create_startup_object = [this](rt::Runtime& runtime) {
              ++created;
              auto object = std::make_shared<int>(0);
              instance = object;
              return rt::StartupObject{
                  .instance = object,
                  .procedures = {.activate = [this, &runtime] { activate(runtime); },
                                 .click = [this] { calls.push_back("Click"); },
                                 .dbl_click = [this] { calls.push_back("DblClick"); rt::end_program(); },
                                 .key_press = [this](std::int16_t& c) { calls.push_back("KeyPress " + std::to_string(c)); },
                                 .mouse_move = [this](std::int16_t&, std::int16_t&, float& x, float& y) {
                                   calls.push_back("MouseMove " + std::to_string(x) + " " + std::to_string(y));
                                 }}};
            }};
  }
};

TEST(Run, ProgramEndGivesZeroAndReleasesTheStartupObject) {
  Program program;
  rt::ScriptedDesktop desktop;
  desktop.end_at_pump(3);
  EXPECT_EQ(rt::run(program.project(), desktop), 0);
  EXPECT_EQ(desktop.pumps(), 3);
  EXPECT_EQ(program.created, 1);
  EXPECT_TRUE(program.instance.expired());
  ASSERT_TRUE(desktop.opened_layout() == &program.layout);
  EXPECT_EQ(desktop.opened_area().width, 600);
  EXPECT_EQ(desktop.opened_area().border, 2);
}

TEST(Run, EventsReachTheHandlersInOrderAndNothingBehindAnEnd) {
  Program program;
  rt::ScriptedDesktop desktop;
  desktop.at_pump(1, {DesktopEvent::typed("+"), DesktopEvent::moved(2, 2), DesktopEvent::moved(300, 152)});
  desktop.at_pump(2, {DesktopEvent::down(5, 5), DesktopEvent::up(5, 5), DesktopEvent::down(5, 5, 2),
                      DesktopEvent::typed("a"), DesktopEvent::closed()});
  desktop.at_pump(3, {DesktopEvent::typed("b")});
  EXPECT_EQ(rt::run(program.project(), desktop), 0);
  EXPECT_EQ(program.calls, (std::vector<std::string>{"KeyPress 43", "MouseMove 0.000000 0.000000",
                                                     "MouseMove 50.000000 25.000000", "Click", "DblClick"}));
  EXPECT_EQ(desktop.pumps(), 2);
}

TEST(Run, CloseEndsTheProgramWithNoHandlerOfItsOwn) {
  Program program;
  rt::ScriptedDesktop desktop;
  desktop.at_pump(2, {DesktopEvent::closed(), DesktopEvent::typed("a")});
  EXPECT_EQ(rt::run(program.project(), desktop), 0);
  EXPECT_TRUE(program.calls.empty());
}

TEST(Run, RepaintsOnceInThePumpAfterThePictureIsSet) {
  Program program;
  const rt::Picture* shown = nullptr;
  program.activate = [&](rt::Runtime& runtime) {
    rt::Window& window = runtime.window();
    const rt::PictureRef frame = rt::picture_of(window.control("Image1"));
    shown = frame.get();
    rt::check_call(window.picture_box().set_picture(frame), "Picture1", "PictureBox", "Picture");
    for (;;) runtime.do_events();
  };
  rt::ScriptedDesktop desktop;
  desktop.at_pump(3, {{.kind = DesktopEvent::Kind::expose}});
  desktop.end_at_pump(4);
  EXPECT_EQ(rt::run(program.project(), desktop), 0);
  ASSERT_NE(shown, nullptr);
  const auto& records = desktop.records();
  std::vector<std::pair<Kind, int>> seen;
  for (const auto& r : records) seen.emplace_back(r.kind, r.pump);
  EXPECT_EQ(seen, (std::vector<std::pair<Kind, int>>{{Kind::pump, 1}, {Kind::repaint, 1}, {Kind::pump, 2},
                                                      {Kind::pump, 3}, {Kind::repaint, 3}, {Kind::pump, 4}}));
  EXPECT_EQ(desktop.repainted(), (std::vector<const rt::Picture*>{shown, shown}));
}

TEST(Run, CountedLoopsAreToldToTheDesktop) {
  Program program;
  program.activate = [](rt::Runtime& runtime) {
    EXPECT_EQ(runtime.counted_loop(0, 2.5, 1), 3);
    runtime.do_events();
    rt::end_program();
  };
  rt::ScriptedDesktop desktop;
  EXPECT_EQ(rt::run(program.project(), desktop), 0);
  ASSERT_EQ(desktop.records().size(), 2u);
  EXPECT_EQ(desktop.records()[0].kind, Kind::count);
  EXPECT_EQ(desktop.records()[0].end, 2.5);
  EXPECT_EQ(desktop.records()[0].steps, 3);
  EXPECT_EQ(desktop.records()[1].kind, Kind::pump);
}

struct Failure {
  const char* what;
  std::function<void(Program&, rt::ScriptedDesktop&)> arrange;
  std::string message;
};
// Test names and failure messages show the case by its name.
void PrintTo(const Failure& c, std::ostream* out) { *out << c.what; }

class RunFailure : public testing::TestWithParam<Failure> {};

// Every unhandled error ends the run with a non-zero status, a message on stderr
// and the same message shown by the desktop; the startup object is released.
TEST_P(RunFailure, GivesNonZeroStatusAndReportsTheError) {
  Program program;
  rt::ScriptedDesktop desktop;
  GetParam().arrange(program, desktop);
  testing::internal::CaptureStderr();
  const int status = rt::run(program.project(), desktop);
  const std::string stderr_text = testing::internal::GetCapturedStderr();
  EXPECT_NE(status, 0);
  EXPECT_EQ(stderr_text, "zemk: " + GetParam().message + "\n");
  ASSERT_FALSE(desktop.records().empty());
  EXPECT_EQ(desktop.records().back().kind, Kind::error);
  EXPECT_EQ(desktop.records().back().message, GetParam().message);
  EXPECT_TRUE(program.instance.expired());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RunFailure,
    testing::Values(
        Failure{"unknown_control",
                [](Program& p, rt::ScriptedDesktop&) { p.activate = [](rt::Runtime& r) { r.window().control("Image9"); }; },
                "runtime error 3: the window has no control named Image9"},
        Failure{"refused_hide",
                [](Program& p, rt::ScriptedDesktop& d) {
                  d.refuse_hide = true;
                  p.activate = [](rt::Runtime& r) { rt::check_call(r.window().hide(), "ZEMK", "Form", "Hide"); };
                },
                "runtime error 3: ZEMK: Form.Hide failed"},
        Failure{"picture_not_drawn",
                [](Program& p, rt::ScriptedDesktop& d) {
                  // The first repaint draws nothing, so the assignment after it fails.
                  d.draw_nothing = true;
                  d.end_at_pump(5);  // ends with status 0 if no assignment fails
                  p.activate = [](rt::Runtime& r) {
                    const rt::PictureRef frame = rt::picture_of(r.window().control("Image1"));
                    for (;;) {
                      rt::check_call(r.window().picture_box().set_picture(frame), "Picture1", "PictureBox", "Picture");
                      r.do_events();
                    }
                  };
                },
                "runtime error 3: Picture1: PictureBox.Picture failed"},
        Failure{"fail_open", [](Program&, rt::ScriptedDesktop& d) { d.fail_open = true; },
                "runtime error 5: the scripted desktop refused to open the window"},
        Failure{"bad_picture", [](Program& p, rt::ScriptedDesktop&) { p.value[6] = 9; },
                "runtime error 4: Image2: picture value has the wrong stream tag"},
        Failure{"out_of_memory",
                [](Program& p, rt::ScriptedDesktop&) { p.activate = [](rt::Runtime&) { throw std::bad_alloc(); }; },
                "out of memory"},
        Failure{"other_exception",
                [](Program& p, rt::ScriptedDesktop&) {
                  p.activate = [](rt::Runtime&) { throw std::logic_error("broken"); };
                },
                "internal error: broken"}),
    [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.what); });

TEST(Run, FailedOpenCreatesNoStartupObject) {
  Program program;
  rt::ScriptedDesktop desktop;
  desktop.fail_open = true;
  testing::internal::CaptureStderr();
  EXPECT_NE(rt::run(program.project(), desktop), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(program.created, 0);
  EXPECT_FALSE(desktop.is_open());
}

TEST(Run, AHookCanEndTheProgram) {
  Program program;
  rt::ScriptedDesktop desktop;
  std::vector<int> hooked;
  desktop.on_pump([&](int pump) {
    hooked.push_back(pump);
    if (pump == 2) rt::end_program();
  });
  desktop.at_pump(2, {DesktopEvent::typed("x")});
  EXPECT_EQ(rt::run(program.project(), desktop), 0);
  EXPECT_EQ(hooked, (std::vector<int>{1, 2}));
  EXPECT_TRUE(program.calls.empty());
}

}  // namespace
