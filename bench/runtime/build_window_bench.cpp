#include <benchmark/benchmark.h>

#include "frames/window_layout.h"
#include "runtime/window_builder.h"

namespace {

// Building the window from the real layout: 54 stored pictures checked and decoded.
void BM_BuildWindowFromLayout(benchmark::State& state) {
  for (auto _ : state) {
    auto window = rt::build_window(frames::window_layout(), nullptr);
    benchmark::DoNotOptimize(window);
  }
}
BENCHMARK(BM_BuildWindowFromLayout)->Unit(benchmark::kMillisecond);

}  // namespace
