#pragma once
// One run of the real program on the scripted desktop, with the window's state
// fields taken at the start of every pump and each repaint mapped back to the
// frame number of the image holder whose picture it showed.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/desktop.h"
#include "tests/support/scripted_desktop.h"
#include "viewer/zemk.h"

namespace viewer_test {

// Pumps 1 to 53 run while the frames load; pump 53 + j ends pass j of the loop.
inline constexpr int kLoadingPumps = 53;
inline constexpr int pass_pump(int pass) { return kLoadingPumps + pass; }

struct State {
  float k = 0;
  int l = 0, m = 0, mm = 0, n = 0, m1 = 0, mm1 = 0, n1 = 0, nm = 0;
  float yyy = 0;
  int hl = 0, updo = 0;
  bool operator==(const State&) const = default;
};
State state_of(const viewer::ZEMK& zemk);
std::string describe(const State& s);

// Client-area pixel of inner-area pixel (c, r): the sunken border is 2 pixels.
inline constexpr int kBorder = 2;
rt::DesktopEvent move_to(int c, int r);
std::vector<rt::DesktopEvent> click();
std::vector<rt::DesktopEvent> double_click();
rt::DesktopEvent key(const std::string& text);

class ViewerRun {
 public:
  rt::ScriptedDesktop desktop;

  // Runs at the start of every pump, after the state was taken and before the
  // pump's events; it may change fields or call the window's handlers.
  std::function<void(int pump, viewer::ZEMK&, rt::Window&)> hook;

  void at(int pump, std::vector<rt::DesktopEvent> events) { desktop.at_pump(pump, std::move(events)); }
  void at(int pump, rt::DesktopEvent event) { desktop.at_pump(pump, {std::move(event)}); }

  // Runs the program until pump `end_pump` (0: until it ends by itself); returns
  // the exit status.
  int run(int end_pump);

  // The state at the start of `pump`; fails the test if there was no such pump.
  const State& state(int pump) const;
  int pumps() const { return desktop.pumps(); }
  // Frame number (holder number - 1) shown by the repaint in `pump`, -1 if none.
  int frame_shown_in(int pump) const;
  // Frame number of a picture; -1 for one that no holder holds.
  int frame_of(const rt::Picture* picture) const;
  std::vector<rt::ScriptedDesktop::Record> records_of(rt::ScriptedDesktop::Record::Kind kind) const;
  // Repaints, counts and hides recorded after the first hide.
  int records_after_hide() const;

  const std::vector<std::string>& holder_order() const { return holder_order_; }

 private:
  std::map<int, State> states_;
  std::map<const rt::Picture*, int> frame_numbers_;
  std::vector<rt::PictureRef> pictures_;  // keeps the holders' pictures, so pointers stay unique
  std::vector<std::string> holder_order_;
};

}  // namespace viewer_test
