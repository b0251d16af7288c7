// The pause overlay's per-pixel work at 32 bits per pixel: the freeze of the
// Escape frame (goal under 5 ms) and one frame of the fade blend (under 3 ms).
#include <benchmark/benchmark.h>

#include "kit/clock.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "kit/images.h"
#include "test_support.h"

namespace {

// A busy screen, so that no pass sees uniform data.
void PrepareScreen() {
  OpenTestScreen();
  if (SnapshotImage == nullptr) SnapshotImage = SDL_DisplayFormat(ScreenSurface);
  if (BlurImage == nullptr) BlurImage = SDL_DisplayFormat(ScreenSurface);
  SDL_LockSurface(ScreenSurface);
  for (int y = 0; y < 480; ++y) {
    Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(ScreenSurface->pixels) +
                                            ScreenSurface->pitch * y);
    for (int x = 0; x < 640; ++x) row[x] = SDL_MapRGB(ScreenSurface->format, x ^ y, x + 3 * y, x * y);
  }
  SDL_UnlockSurface(ScreenSurface);
}

void BM_Freeze(benchmark::State& state) {
  PrepareScreen();
  for (auto _ : state) {
    FreezeScreen();
    benchmark::DoNotOptimize(WorkImage[240][320][0]);
  }
}
BENCHMARK(BM_Freeze)->Unit(benchmark::kMillisecond);

void BM_BlurPasses(benchmark::State& state) {
  PrepareScreen();
  ReadSurfaceRgb(ScreenSurface, WorkImage);
  for (auto _ : state) {
    BlurWorkImage();
    benchmark::DoNotOptimize(WorkImage[240][320][0]);
  }
}
BENCHMARK(BM_BlurPasses)->Unit(benchmark::kMillisecond);

void BM_ReadAndWriteScreen(benchmark::State& state) {
  PrepareScreen();
  for (auto _ : state) {
    ReadSurfaceRgb(ScreenSurface, WorkImage);
    WriteSurfaceRgb(WorkImage, BlurImage);
  }
}
BENCHMARK(BM_ReadAndWriteScreen)->Unit(benchmark::kMillisecond);

void BM_BlendFrame(benchmark::State& state) {
  PrepareScreen();
  FreezeScreen();
  double level = 7.17;
  for (auto _ : state) {
    DrawPauseOverlay(level);
    level = level < 90 ? level + 6.5 : 7.17;  // a different a each frame, as in a fade
  }
}
BENCHMARK(BM_BlendFrame)->Unit(benchmark::kMillisecond);

void BM_OpenOverlayBlit(benchmark::State& state) {
  PrepareScreen();
  FreezeScreen();
  for (auto _ : state) DrawPauseOverlay(100.0);
}
BENCHMARK(BM_OpenOverlayBlit)->Unit(benchmark::kMillisecond);

}  // namespace
