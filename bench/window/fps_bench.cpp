// Frames per second of the real program's playback loop in a real window on a
// private Xvfb, at the delay counts it runs with: 1000000 from the start, 10000 in
// manual mouse mode, and 0 with the pointer at the scale's origin, where a pass
// is the show and the event pump alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "runtime/runtime.h"
#include "runtime/sdl/desktop.h"
#include "tests/window/x_session.h"
#include "viewer/project.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kLoadingPumps = 53;    // one pump after each of frames 1 to 53 is taken
constexpr int kWarmUpPasses = 20;    // more than a turn, so every shown frame has its surface
constexpr auto kMeasureTime = 2s;
constexpr int kInnerX = 2, kInnerY = 2;  // client pixel of the user scale's origin
constexpr int kClickX = 100, kClickY = 100;

// The SDL desktop, watched: it counts pumps and shows, gives the first pass the
// events that set k, and closes the window once enough passes were timed.
class TimedDesktop final : public rt::Desktop {
 public:
  explicit TimedDesktop(std::vector<rt::DesktopEvent> setting)
      : inner_(rt::make_sdl_desktop()), setting_(std::move(setting)) {}

  void open(const rt::WindowLayout& layout, const rt::PictureAreaGeometry& area) override {
    inner_->open(layout, area);
  }
  void poll(std::vector<rt::DesktopEvent>& events) override {
    inner_->poll(events);
    // Loading stores k after its pumps, so k is set in the first pass's pump.
    if (++pumps_ == kLoadingPumps + 1) events.insert(events.end(), setting_.begin(), setting_.end());
    if (timed_passes_ > 0 && last_show_ - first_show_ >= kMeasureTime) events.push_back(rt::DesktopEvent::closed());
  }
  // Each pass shows one frame: the time between shows is the time of a pass.
  bool present(const rt::Picture* picture) override {
    const bool drawn = inner_->present(picture);
    if (pumps_ <= kLoadingPumps) return drawn;
    const auto now = Clock::now();
    if (++passes_ == kWarmUpPasses) first_show_ = now;
    if (passes_ > kWarmUpPasses) ++timed_passes_, last_show_ = now;
    return drawn;
  }
  bool hide() override { return inner_->hide(); }
  void report_error(std::string_view message) override { inner_->report_error(message); }
  void counted(double end, std::int64_t steps) override { inner_->counted(end, steps); }

  double frames_per_second() const {
    if (timed_passes_ == 0) return 0;  // the program ended before any pass was timed
    return timed_passes_ / std::chrono::duration<double>(last_show_ - first_show_).count();
  }

 private:
  std::unique_ptr<rt::Desktop> inner_;
  std::vector<rt::DesktopEvent> setting_;
  int pumps_ = 0, passes_ = 0, timed_passes_ = 0;
  Clock::time_point first_show_, last_show_;
};

double run_program(benchmark::State& state, std::vector<rt::DesktopEvent> setting) {
  xtest::XSession session;
  // The pointer starts at the screen's centre, over the centred window, where
  // its entering motion would set k.
  session.x_tool({"xdotool", "mousemove", "0", "0"});
  setenv("DISPLAY", session.display().c_str(), 1);
  TimedDesktop desktop(std::move(setting));  // its end quits SDL before the server goes
  if (rt::run(viewer::zemk_project(), desktop) != 0) state.SkipWithError("the program failed");
  return desktop.frames_per_second();
}

void BM_FramesAtStartCount(benchmark::State& state) {
  for (auto _ : state) state.counters["frames_per_second"] = run_program(state, {});
}
BENCHMARK(BM_FramesAtStartCount)->Iterations(1)->Unit(benchmark::kMillisecond);

// A click puts the program in manual mode; the movement after it sets k = 10000.
void BM_FramesManualCount(benchmark::State& state) {
  for (auto _ : state) {
    state.counters["frames_per_second"] =
        run_program(state, {rt::DesktopEvent::down(kClickX, kClickY), rt::DesktopEvent::up(kClickX, kClickY),
                            rt::DesktopEvent::moved(kClickX, kClickY)});
  }
}
BENCHMARK(BM_FramesManualCount)->Iterations(1)->Unit(benchmark::kMillisecond);

// The pointer at user (0, 0) makes k = 0: what is left is the cost of a pass.
void BM_FramesZeroCount(benchmark::State& state) {
  for (auto _ : state) {
    const double fps = run_program(state, {rt::DesktopEvent::moved(kInnerX, kInnerY)});
    state.counters["frames_per_second"] = fps;
    state.counters["pass_ms"] = 1000.0 / fps;
  }
}
BENCHMARK(BM_FramesZeroCount)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
