// Quitting by Esc or double-click: hide the window, then end the program at once,
// from inside the handler, whatever the phase, mode or motion.

#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "tests/viewer/viewer_run.h"

namespace viewer_test {
namespace {

using Kind = rt::ScriptedDesktop::Record::Kind;

struct QuitCase {
  const char* name;
  int pump;
  bool manual;
  bool double_click;
};
// Test names and failure messages show the case by its name.
void PrintTo(const QuitCase& c, std::ostream* out) { *out << c.name; }

std::vector<rt::DesktopEvent> quit_events(bool by_double_click) {
  if (by_double_click) return double_click();
  return {rt::DesktopEvent::pressed(rt::NamedKey::escape)};
}

// Events that would leave a trace if they were handled: another quit hides again,
// a motion key would move the next pass.
std::vector<rt::DesktopEvent> behind() {
  auto events = double_click();
  events.push_back(key("-"));
  events.push_back(rt::DesktopEvent::pressed(rt::NamedKey::escape));
  return events;
}

class Quit : public testing::TestWithParam<QuitCase> {};

TEST_P(Quit, EndsAtOnceWithStatusZero) {
  const QuitCase& c = GetParam();
  ViewerRun run;
  if (c.manual) run.at(c.pump - 1, click());
  auto events = quit_events(c.double_click);
  for (auto& e : behind()) events.push_back(e);
  run.at(c.pump, events);
  run.at(c.pump + 1, key("+"));
  EXPECT_EQ(run.run(0), 0);

  EXPECT_EQ(run.pumps(), c.pump);
  EXPECT_EQ(run.records_of(Kind::hide).size(), 1u);
  EXPECT_EQ(run.records_after_hide(), 0) << "nothing is shown or counted after the quit";
  EXPECT_TRUE(run.records_of(Kind::error).empty());
  EXPECT_EQ(run.state(c.pump).nm, c.manual ? 1 : 0);
  if (c.pump <= kLoadingPumps) {
    EXPECT_TRUE(run.records_of(Kind::count).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    PhasesModesAndWays, Quit,
    testing::Values(QuitCase{"loading_automatic_esc", 20, false, false},
                    QuitCase{"loading_automatic_double_click", 20, false, true},
                    QuitCase{"loading_manual_esc", 53, true, false},
                    QuitCase{"loading_manual_double_click", 2, true, true},
                    QuitCase{"playing_automatic_esc", pass_pump(5), false, false},
                    QuitCase{"playing_automatic_double_click", pass_pump(5), false, true},
                    QuitCase{"playing_manual_esc", pass_pump(7), true, false},
                    QuitCase{"playing_manual_double_click", pass_pump(7), true, true}),
    [](const testing::TestParamInfo<QuitCase>& info) { return std::string(info.param.name); });

TEST(Quit, WhileStoppedInSetTwo) {
  ViewerRun run;
  run.at(pass_pump(2), {key("n"), key("/")});
  run.at(pass_pump(4), rt::DesktopEvent::pressed(rt::NamedKey::escape));
  EXPECT_EQ(run.run(0), 0);
  EXPECT_EQ(run.pumps(), pass_pump(4));
  EXPECT_EQ(run.state(pass_pump(4)).n, 0);
  EXPECT_EQ(run.state(pass_pump(4)).hl, 2);
}

// A window that refuses to hide turns the quit into the runtime's error.
TEST(Quit, RefusedHideIsAnError) {
  ViewerRun run;
  run.desktop.refuse_hide = true;
  run.at(pass_pump(3), {rt::DesktopEvent::pressed(rt::NamedKey::escape), key("+")});
  EXPECT_NE(run.run(0), 0);
  EXPECT_EQ(run.pumps(), pass_pump(3));
  EXPECT_EQ(run.records_of(Kind::hide).size(), 1u);
  EXPECT_EQ(run.records_of(Kind::error).size(), 1u);
  EXPECT_EQ(run.records_after_hide(), 0);
}

}  // namespace
}  // namespace viewer_test
