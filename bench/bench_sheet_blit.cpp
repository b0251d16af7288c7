// The sheet blits of the heaviest play frame (bench_play.cpp): 50 rating
// words, 4 targets, about 100 notes of 70 x 70 and the holds of every third
// note, drawn once by SDL's blit and once by the run-by-run blit of
// kit/sheet_blit.h, from the copies the play screen makes of its sheets.
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <vector>

#include "bench/bench_support.h"
#include "game/play.h"
#include "game/scroll.h"
#include "kit/sheet_blit.h"

namespace {

struct SheetDraw {
  SDL_Surface* copy;
  const SheetRuns* runs;
  SDL_Rect part;
  int x, y;
};

struct PlayCopy {
  SDL_Surface* copy = nullptr;
  SheetRuns runs;
};

PlayCopy Arrows, Holds, Ratings;
std::vector<SheetDraw> Frame;
double SdlMicros = 0;  // SDL's processor time for the frame, for the ratio printed beside ours

// As the play screen copies a sheet; SDL codes the run-length copies at their
// first blit, before the runs are read.
void MakeCopy(PlayCopy& entry, SDL_Surface* sheet, bool runLengths) {
  entry.copy = SDL_DisplayFormatAlpha(sheet);
  if (runLengths) SDL_SetAlpha(entry.copy, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
  DrawImage(entry.copy, nullptr, 0, 0);
  PrepareSheet(entry.runs, entry.copy);
}

void Add(PlayCopy& entry, const SDL_Rect& part, int x, int y) {
  Frame.push_back({entry.copy, &entry.runs, part, x, y});
}

// A hold strip laid out as the play screen's DrawHold lays it.
void AddHold(int x, int y, int hold) {
  int length = hold / 5;
  int cells = static_cast<int>(std::floor(hold / 5.0 / 35.0));
  Add(Holds, HoldCells[0], x, y);
  for (int k = 1; k <= cells && y + 35 * k <= 480; ++k) Add(Holds, HoldCells[1], x, y + 35 * k);
  int rest = length - 35 * cells;
  if (rest > 0 && rest <= 35) Add(Holds, MakeRect(50, 0, 50, rest), x, y + 35 * (cells + 1));
  Add(Holds, HoldCells[2], x, y + 35 + length);
}

// The notes of bench_play.cpp, 23 ms apart from 120 ms past the targets; a
// note stands 50 + (its time to go) / 5 pixels down.
void BuildFrame() {
  if (!Frame.empty()) return;
  LoadMediaOnce();
  MakeCopy(Arrows, ArrowSheet, false);
  MakeCopy(Holds, HoldSheet, true);
  MakeCopy(Ratings, RatingSheet, true);
  for (int i = 0; i < 50; ++i) Add(Ratings, RatingCells[i % 3], 258, 50 - 2 * i);
  for (int c = 0; c < 4; ++c) Add(Arrows, ArrowCells[c + 8], ColumnX[c], TargetLineY);
  for (int i = 0; i < 989; ++i) {
    int y = static_cast<int>(50 + (23 * i - 120) / 5.0);
    if (y < -69 || y > 479) continue;
    int column = i % 4;
    if (i % 3 == 0) AddHold(ColumnX[column] + 10, y, 300 + 7 * (i % 100));
    Add(Arrows, ArrowCells[column + 12], ColumnX[column], y);
  }
}

void Count(benchmark::State& state) {
  state.counters["blits"] = static_cast<double>(Frame.size());
  state.counters["bpp"] = ScreenSurface->format->BitsPerPixel;
}

// Processor time rather than wall time: the ratio holds up on a busy machine.
double MicrosPerFrame(std::clock_t start, benchmark::State& state) {
  double spent = static_cast<double>(std::clock() - start) * 1e6 / CLOCKS_PER_SEC;
  return spent / static_cast<double>(state.iterations());
}

void BM_PlaySheetsBySdl(benchmark::State& state) {
  BuildFrame();
  std::clock_t start = std::clock();
  for (auto _ : state)
    for (const SheetDraw& d : Frame) DrawImage(d.copy, &d.part, d.x, d.y);
  SdlMicros = MicrosPerFrame(start, state);
  Count(state);
}
BENCHMARK(BM_PlaySheetsBySdl)->Unit(benchmark::kMicrosecond);

// "sdl_over_runs": SDL's processor time for the frame over ours, when both ran.
void BM_PlaySheetsByRuns(benchmark::State& state) {
  BuildFrame();
  std::clock_t start = std::clock();
  for (auto _ : state)
    for (const SheetDraw& d : Frame) DrawSheetPart(*d.runs, d.copy, &d.part, d.x, d.y);
  if (SdlMicros > 0) state.counters["sdl_over_runs"] = SdlMicros / MicrosPerFrame(start, state);
  Count(state);
}
BENCHMARK(BM_PlaySheetsByRuns)->Unit(benchmark::kMicrosecond);

}  // namespace
