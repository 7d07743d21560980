// A show and an empty event pump through the SDL desktop in a real window, and
// the real program's peak resident memory, all on a private Xvfb.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "frames/stored_pictures.h"
#include "frames/window_layout.h"
#include "runtime/picture.h"
#include "runtime/sdl/desktop.h"
#include "runtime/window_builder.h"
#include "tests/window/x_session.h"

namespace {

using namespace std::chrono_literals;

// One X server and one open window for the desktop benchmarks; SDL reads
// DISPLAY when the desktop is made.
struct OpenWindow {
  xtest::XSession session;
  std::unique_ptr<rt::Desktop> desktop;
  std::vector<rt::PictureRef> frames;

  OpenWindow() {
    setenv("DISPLAY", session.display().c_str(), 1);
    const rt::WindowLayout& layout = frames::window_layout();
    desktop = rt::make_sdl_desktop();
    desktop->open(layout, rt::picture_area_geometry(layout.picture_box));
    for (int n = 1; n <= frames::kFrameCount; ++n) {
      frames.push_back(rt::decode_stored_picture(frames::stored_picture(n), frames::holder_name(n)));
    }
  }
};

OpenWindow& open_window() {
  static OpenWindow window;
  return window;
}

void BM_ShowFrame(benchmark::State& state) {
  OpenWindow& w = open_window();
  std::size_t i = 0;
  for (auto _ : state) {
    w.desktop->present(w.frames[i++ % w.frames.size()].get());
  }
}
BENCHMARK(BM_ShowFrame)->Unit(benchmark::kMillisecond);

void BM_PumpNothingPending(benchmark::State& state) {
  OpenWindow& w = open_window();
  std::vector<rt::DesktopEvent> events;
  w.desktop->poll(events);  // whatever the window's opening left
  for (auto _ : state) {
    events.clear();
    w.desktop->poll(events);
    benchmark::DoNotOptimize(events.data());
  }
}
BENCHMARK(BM_PumpNothingPending)->Unit(benchmark::kMillisecond);

#ifdef ZEMK_PROGRAM
// Peak resident memory of the running program once it has loaded every frame:
// VmHWM, read until it has stopped growing for a second.
void BM_ZemkPeakResident(benchmark::State& state) {
  for (auto _ : state) {
    xtest::XSession session;
    session.launch({ZEMK_PROGRAM});
    session.find_window();
    long peak = 0;
    auto stable_since = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - stable_since < 1s) {
      std::this_thread::sleep_for(50ms);
      const long now = session.peak_resident_kb();
      if (now > peak) {
        peak = now;
        stable_since = std::chrono::steady_clock::now();
      }
    }
    state.counters["peak_resident_MB"] = static_cast<double>(peak) / 1024.0;
  }
}
BENCHMARK(BM_ZemkPeakResident)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
