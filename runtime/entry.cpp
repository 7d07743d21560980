// The runtime's entry: one session per run, from building the window to the end.

#include <cstdio>
#include <new>
#include <optional>

#include "runtime/desktop.h"
#include "runtime/dispatch.h"
#include "runtime/picture.h"
#include "runtime/runtime.h"
#include "runtime/services.h"
#include "runtime/window_builder.h"

namespace rt {
namespace {

class Session final : public Runtime {
 public:
  explicit Session(Desktop& desktop) : desktop_(desktop) {}
  ~Session() override { release(); }

  // Runs the program until program end or an error unwinds out of it.
  void start(const ProjectRecord& project) {
    if (project.layout == nullptr || !project.create_startup_object) {
      raise(ErrorNumber::failed_call, "the project record has no layout or no startup object");
    }
    const WindowLayout& layout = *project.layout;
    const PictureAreaGeometry area = picture_area_geometry(layout.picture_box);
    window_ = build_window(layout, [this] { return desktop_.hide() ? Status::ok : Status::failed; });
    desktop_.open(layout, area);
    startup_ = project.create_startup_object(*this);
    dispatcher_.emplace(startup_.procedures, pointer_scale(area, layout.picture_box), window_->picture_box());
    if (startup_.procedures.activate) startup_.procedures.activate();
    // A program whose activation returns lives on in its events until it ends.
    for (;;) do_events();
  }

  // The startup object goes first, so that nothing it holds outlives the window.
  void release() {
    dispatcher_.reset();
    startup_ = {};
    window_.reset();
  }

  Window& window() override { return *window_; }

  void do_events() override {
    std::vector<DesktopEvent> batch;
    desktop_.poll(batch);
    for (const DesktopEvent& event : batch) dispatcher_->dispatch(event);
    PictureBox& box = window_->picture_box();
    if (box.repaint_pending()) {
      box.repainted(desktop_.present(box.picture().get()));
    }
  }

  std::int64_t counted_loop(std::int32_t start, double end, std::int32_t step) override {
    const std::int64_t steps = rt::counted_loop(start, end, step);
    desktop_.counted(end, steps);
    return steps;
  }

 private:
  Desktop& desktop_;
  std::unique_ptr<Window> window_;
  StartupObject startup_;
  std::optional<EventDispatcher> dispatcher_;
};

int fail(Desktop& desktop, const std::string& message) {
  std::fprintf(stderr, "zemk: %s\n", message.c_str());
  try {
    desktop.report_error(message);
  } catch (...) {
    // The message is on stderr already; a desktop that cannot show it changes nothing.
  }
  return kFailureStatus;
}

}  // namespace

int run(const ProjectRecord& project, Desktop& desktop) {
  Session session(desktop);
  int status = 0;
  try {
    session.start(project);
  } catch (const ProgramEnd&) {
    status = 0;
  } catch (const RuntimeError& error) {
    status = fail(desktop, unhandled_error_text(error.number(), error.what()));
  } catch (const std::bad_alloc&) {
    status = fail(desktop, "out of memory");
  } catch (const std::exception& error) {
    status = fail(desktop, std::string("internal error: ") + error.what());
  }
  session.release();
  return status;
}

}  // namespace rt
