#pragma once
// A desktop for tests: hands chosen events to chosen pumps and records, in order,
// every pump, repaint, counted loop, hide and reported error.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/desktop.h"

namespace rt {

class ScriptedDesktop final : public Desktop {
 public:
  struct Record {
    enum class Kind { pump, repaint, count, hide, error };
    Kind kind = Kind::pump;
    int pump = 0;                      // the pump it happened in, or the last one before it
    const Picture* picture = nullptr;  // repaint: the picture shown (null: background only)
    double end = 0;                    // count: its end value
    std::int64_t steps = 0;            // count: the steps it performed
    std::string message{};             // error
  };

  // Events that pump number `pump` delivers; pumps count from 1.
  void at_pump(int pump, std::vector<DesktopEvent> events);
  // Runs at the start of every pump, before its events are delivered. It may end
  // the program (end_program) to stop an endless loop.
  void on_pump(std::function<void(int pump)> hook);
  // Ends the program at the start of pump `pump`, after the hook.
  void end_at_pump(int pump);

  // Knobs that make the desktop fail.
  bool fail_open = false;    // open raises the desktop error
  bool refuse_hide = false;  // hide reports failure
  bool draw_nothing = false; // present reports that it drew nothing

  int pumps() const { return pumps_; }
  const std::vector<Record>& records() const { return records_; }
  std::vector<const Picture*> repainted() const;  // the pictures of every repaint, in order
  bool is_open() const { return open_; }
  const WindowLayout* opened_layout() const { return layout_; }
  const PictureAreaGeometry& opened_area() const { return area_; }

  void open(const WindowLayout& layout, const PictureAreaGeometry& area) override;
  void poll(std::vector<DesktopEvent>& events) override;
  bool present(const Picture* picture) override;
  bool hide() override;
  void report_error(std::string_view message) override;
  void counted(double end, std::int64_t steps) override;

 private:
  std::map<int, std::vector<DesktopEvent>> script_;
  std::function<void(int)> hook_;
  int end_pump_ = 0;
  int pumps_ = 0;
  std::vector<Record> records_;
  bool open_ = false;
  const WindowLayout* layout_ = nullptr;
  PictureAreaGeometry area_;
};

}  // namespace rt
