// The pacing of the playback loop: the cost of one step of the count in delay, and
// whole passes of the loop on the scripted desktop at the program's delay counts.

#include <benchmark/benchmark.h>

#include <chrono>

#include "runtime/runtime.h"
#include "tests/support/scripted_desktop.h"
#include "runtime/services.h"
#include "viewer/project.h"
#include "viewer/zemk.h"

namespace {

constexpr int kLoadingPumps = 53;

void BM_CountStep(benchmark::State& state) {
  const double end = static_cast<double>(state.range(0));
  std::int64_t steps = 0;
  for (auto _ : state) steps += rt::counted_loop(0, end, 1);
  // Seconds per step, printed with its SI prefix.
  state.counters["per_step"] = benchmark::Counter(
      static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CountStep)->Arg(1000000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Passes of the playback loop with k held at range(0); loading is left out of the time.
void BM_LoopPasses(benchmark::State& state) {
  const float k = static_cast<float>(state.range(0));
  const int passes = static_cast<int>(state.range(1));
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    rt::ScriptedDesktop desktop;
    rt::ProjectRecord project = viewer::zemk_project();
    viewer::ZEMK* zemk = nullptr;
    const auto make = project.create_startup_object;
    project.create_startup_object = [&](rt::Runtime& runtime) {
      rt::StartupObject object = make(runtime);
      zemk = static_cast<viewer::ZEMK*>(object.instance.get());
      return object;
    };
    Clock::time_point start, stop;
    desktop.on_pump([&](int pump) {
      if (pump == kLoadingPumps) start = Clock::now();
      if (pump >= kLoadingPumps) zemk->k = k;
      if (pump == kLoadingPumps + passes) stop = Clock::now();
    });
    desktop.end_at_pump(kLoadingPumps + passes);
    if (rt::run(project, desktop) != 0) state.SkipWithError("the program failed");
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
  state.counters["passes_per_s"] =
      benchmark::Counter(passes, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoopPasses)
    ->Args({1000000, 20})
    ->Args({10000, 1000})
    ->Args({0, 1000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
