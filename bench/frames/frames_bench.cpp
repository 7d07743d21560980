// Drawing and encoding all 54 frames, as the build step does.
#include <benchmark/benchmark.h>

#include "frames/frame_files.h"
#include "frames/stored_pictures.h"

namespace {

void BM_AllFramesDrawnAndEncoded(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (int frame = 0; frame < frames::kFrameCount; ++frame)
      bytes += frames::frame_picture(frame).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_AllFramesDrawnAndEncoded)->Unit(benchmark::kMillisecond);

}  // namespace
