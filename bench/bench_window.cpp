// The step that magnifies each frame onto a bigger window, at scales 2 and 3.
#include <benchmark/benchmark.h>

#include "kit/images.h"
#include "kit/window.h"
#include "test_support.h"

namespace {

void BM_MagnifyFrame(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  SDL_Surface* frame = MakeImage(WindowWidth, WindowHeight, 20, 40, 60);
  SDL_Surface* window = MakeImage(WindowWidth * scale, WindowHeight * scale, 0, 0, 0);
  for (auto _ : state) {
    MagnifyFrame(frame, window, scale, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * window->pitch * window->h);
  SDL_FreeSurface(window);
  SDL_FreeSurface(frame);
}
BENCHMARK(BM_MagnifyFrame)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace
