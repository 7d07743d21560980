#include "tests/viewer/viewer_run.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "frames/frame_numbering.h"
#include "viewer/project.h"

namespace viewer_test {

State state_of(const viewer::ZEMK& z) {
  return {.k = z.k, .l = z.l, .m = z.m, .mm = z.mm, .n = z.n, .m1 = z.m1, .mm1 = z.mm1,
          .n1 = z.n1, .nm = z.nm, .yyy = z.yyy, .hl = z.hl, .updo = z.updo};
}

std::string describe(const State& s) {
  std::ostringstream out;
  out << "k=" << s.k << " l=" << s.l << " m=" << s.m << " mm=" << s.mm << " n=" << s.n
      << " m1=" << s.m1 << " mm1=" << s.mm1 << " n1=" << s.n1 << " nm=" << s.nm
      << " yyy=" << s.yyy << " hl=" << s.hl << " updo=" << s.updo;
  return out.str();
}

rt::DesktopEvent move_to(int c, int r) { return rt::DesktopEvent::moved(c + kBorder, r + kBorder); }

std::vector<rt::DesktopEvent> click() {
  return {rt::DesktopEvent::down(100, 100), rt::DesktopEvent::up(100, 100)};
}

std::vector<rt::DesktopEvent> double_click() {
  return {rt::DesktopEvent::down(100, 100), rt::DesktopEvent::up(100, 100),
          rt::DesktopEvent::down(100, 100, 2), rt::DesktopEvent::up(100, 100)};
}

rt::DesktopEvent key(const std::string& text) { return rt::DesktopEvent::typed(text); }

int ViewerRun::run(int end_pump) {
  rt::ProjectRecord project = viewer::zemk_project();
  viewer::ZEMK* zemk = nullptr;
  rt::Window* window = nullptr;
  const auto make = project.create_startup_object;
  project.create_startup_object = [&, make](rt::Runtime& runtime) {
    rt::StartupObject object = make(runtime);
    zemk = static_cast<viewer::ZEMK*>(object.instance.get());
    window = &runtime.window();
    for (const auto& holder : window->image_holders()) {
      const int number = std::stoi(holder->name().substr(frames::kHolderNamePrefix.size()));
      frame_numbers_[holder->picture().get()] = number - 1;
      pictures_.push_back(holder->picture());
      holder_order_.push_back(holder->name());
    }
    return object;
  };
  desktop.on_pump([&](int pump) {
    states_[pump] = state_of(*zemk);
    if (hook) hook(pump, *zemk, *window);
  });
  if (end_pump > 0) desktop.end_at_pump(end_pump);
  const int status = rt::run(project, desktop);
  desktop.on_pump({});  // the hook refers to this call's locals
  return status;
}

const State& ViewerRun::state(int pump) const {
  static const State none{};
  const auto found = states_.find(pump);
  EXPECT_NE(found, states_.end()) << "no pump " << pump;
  return found == states_.end() ? none : found->second;
}

int ViewerRun::frame_of(const rt::Picture* picture) const {
  const auto found = frame_numbers_.find(picture);
  return found == frame_numbers_.end() ? -1 : found->second;
}

int ViewerRun::frame_shown_in(int pump) const {
  int frame = -1;
  for (const auto& record : desktop.records()) {
    if (record.kind == rt::ScriptedDesktop::Record::Kind::repaint && record.pump == pump) {
      frame = frame_of(record.picture);
    }
  }
  return frame;
}

std::vector<rt::ScriptedDesktop::Record> ViewerRun::records_of(
    rt::ScriptedDesktop::Record::Kind kind) const {
  std::vector<rt::ScriptedDesktop::Record> out;
  for (const auto& record : desktop.records()) {
    if (record.kind == kind) out.push_back(record);
  }
  return out;
}

int ViewerRun::records_after_hide() const {
  using Kind = rt::ScriptedDesktop::Record::Kind;
  int after = 0;
  bool hidden = false;
  for (const auto& record : desktop.records()) {
    const bool counted = record.kind == Kind::repaint || record.kind == Kind::count ||
                         record.kind == Kind::hide;
    if (hidden && counted) ++after;
    if (record.kind == Kind::hide) hidden = true;
  }
  return after;
}

}  // namespace viewer_test
