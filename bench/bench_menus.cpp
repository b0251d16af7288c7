// Menu and start-up work a player waits on: a full line of text, entering the
// song list over a folder of 10,000 files, and the song start reading a chart.
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench/bench_support.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/font.h"
#include "kit/images.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

void BM_DrawTextFullLine(benchmark::State& state) {
  LoadMediaOnce();
  const std::string line(58, 'W');  // 58 x 11 pixels: the width of the window
  for (auto _ : state) DrawText(1, 200, line, TextAlign::Left);
}
BENCHMARK(BM_DrawTextFullLine)->Unit(benchmark::kMicrosecond);

void BM_SongSelectEntry(benchmark::State& state) {
  LoadMediaOnce();
  ScratchFolder folder;
  std::filesystem::create_directory("Music");
  for (int i = 0; i < state.range(0); ++i) {
    // Songs, their charts and scores, as a big collection has them.
    std::string name = "Music/Song number " + std::to_string(i);
    std::ofstream(name + (i % 3 == 0 ? ".mp3" : i % 3 == 1 ? ".mp3.tq" : ".mp3.score"));
  }
  for (auto _ : state) {
    ScreenChanged = true;  // the entry frame: rescan and draw
    RunSongSelect();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SongSelectEntry)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StartSongReading989Notes(benchmark::State& state) {
  LoadMediaOnce();
  ScratchFolder folder;
  std::string chart = "<startbeginner>\n<stop>\n<startmedium>\n";
  for (int i = 0; i < 989; ++i)
    chart += std::to_string(i % 4) + "\n" + std::to_string(3075 + 521 * i) + "\n" + (i % 3 ? "0" : "400") + "\n----\n";
  chart += "<stop>\n";
  WriteTextFile("Music/Bench.mp3.tq", chart);
  for (auto _ : state) {
    StartSong("Bench.mp3", Medium);  // no music file: the reading is what is measured
    benchmark::DoNotOptimize(NoteList.size());
  }
}
BENCHMARK(BM_StartSongReading989Notes)->Unit(benchmark::kMicrosecond);

}  // namespace
