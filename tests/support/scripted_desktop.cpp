#include "tests/support/scripted_desktop.h"

#include "runtime/errors.h"

namespace rt {

void ScriptedDesktop::at_pump(int pump, std::vector<DesktopEvent> events) {
  auto& queued = script_[pump];
  queued.insert(queued.end(), std::make_move_iterator(events.begin()), std::make_move_iterator(events.end()));
}

void ScriptedDesktop::on_pump(std::function<void(int pump)> hook) { hook_ = std::move(hook); }

void ScriptedDesktop::end_at_pump(int pump) { end_pump_ = pump; }

std::vector<const Picture*> ScriptedDesktop::repainted() const {
  std::vector<const Picture*> out;
  for (const auto& record : records_) {
    if (record.kind == Record::Kind::repaint) out.push_back(record.picture);
  }
  return out;
}

void ScriptedDesktop::open(const WindowLayout& layout, const PictureAreaGeometry& area) {
  if (fail_open) raise(ErrorNumber::desktop, "the scripted desktop refused to open the window");
  open_ = true;
  layout_ = &layout;
  area_ = area;
}

void ScriptedDesktop::poll(std::vector<DesktopEvent>& events) {
  ++pumps_;
  records_.push_back({.kind = Record::Kind::pump, .pump = pumps_});
  if (hook_) hook_(pumps_);
  if (pumps_ == end_pump_) end_program();
  if (auto queued = script_.find(pumps_); queued != script_.end()) {
    events.insert(events.end(), queued->second.begin(), queued->second.end());
  }
}

bool ScriptedDesktop::present(const Picture* picture) {
  records_.push_back({.kind = Record::Kind::repaint, .pump = pumps_, .picture = picture});
  return !draw_nothing;
}

bool ScriptedDesktop::hide() {
  records_.push_back({.kind = Record::Kind::hide, .pump = pumps_});
  if (refuse_hide) return false;
  open_ = false;
  return true;
}

void ScriptedDesktop::report_error(std::string_view message) {
  records_.push_back({.kind = Record::Kind::error, .pump = pumps_, .message = std::string(message)});
}

void ScriptedDesktop::counted(double end, std::int64_t steps) {
  records_.push_back({.kind = Record::Kind::count, .pump = pumps_, .end = end, .steps = steps});
}

}  // namespace rt
