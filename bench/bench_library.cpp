// The song list over a big library: 10,000 songs in 300 packs, each song
// folder with its music, a .ssc and a banner. Opening the list (the scan and
// the first frame), a frame of it at the top and in a pack, and one search
// keystroke; and the same keystroke over 10,000 song folders not in packs,
// whose titles are all searched (read by the first search, kept after).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_support.h"
#include "charts/packs.h"
#include "kit/input.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"

namespace {

namespace fs = std::filesystem;

void MakeSongFolder(const fs::path& folder, int n) {
  fs::create_directories(folder);
  std::ofstream(folder / "music.ogg") << "";
  std::ofstream(folder / "banner.png") << "";
  std::ofstream(folder / "steps.ssc") << "#VERSION:0.83;\n#TITLE:Song number " << n << ";\n#SUBTITLE:(Extended Mix);\n"
                                      << "#ARTIST:Someone;\n#MUSIC:music.ogg;\n#OFFSET:-0.1;\n#SAMPLESTART:40;\n"
                                      << "#SAMPLELENGTH:12;\n#BPMS:0=140;\n#NOTEDATA:;\n#STEPSTYPE:dance-single;\n";
}

// A library made once per run in a scratch folder removed when the run ends.
const fs::path& Library(bool packed) {
  static ScratchFolder scratch;
  static fs::path made[2];
  fs::path& path = made[packed];
  if (path.empty()) {
    path = scratch.path / (packed ? "packed" : "flat");
    for (int n = 0; n < 10000; ++n)
      MakeSongFolder(packed ? path / "Music" / ("Pack " + std::to_string(n % 300)) / ("Song " + std::to_string(n))
                            : path / "Music" / ("Song " + std::to_string(n)),
                     n);
  }
  fs::current_path(path);
  return path;
}

void Enter() {
  Screen = ScreenId::SongSelect;
  ScreenChanged = true;
  RunSongSelect();
  ScreenChanged = false;
}

void Reset() {
  OpenPack.clear(), TopSearch.clear(), PackSearch.clear();
  SongListScroll = PackListScroll = 0;
  KeysTyped.clear();
}

void BM_SongListOpen(benchmark::State& state) {
  LoadMediaOnce();
  Library(true);
  Reset();
  Enter();  // the first entry of a run makes the library's cache (bench_song_cache.cpp times it)
  for (auto _ : state) Enter();
  benchmark::DoNotOptimize(Packs.size());
}
BENCHMARK(BM_SongListOpen)->Unit(benchmark::kMillisecond);

void BM_SongListFrame(benchmark::State& state) {
  LoadMediaOnce();
  Library(true);
  Reset();
  Enter();
  if (state.range(0) != 0) OpenPack = "Pack 150", SongRowsStale = true;  // the pack's titles are read in the first frame
  RunSongSelect();
  for (auto _ : state) RunSongSelect();
}
BENCHMARK(BM_SongListFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One keystroke and the frame that shows it; typing and taking back a letter in turn.
void Keystrokes(benchmark::State& state) {
  bool typed = false;
  for (auto _ : state) {
    KeysTyped = typed ? "\b" : "7";
    typed = !typed;
    RunSongSelect();
  }
  KeysTyped.clear();
}

void BM_SearchKeystroke(benchmark::State& state) {
  LoadMediaOnce();
  Library(state.range(0) != 2);
  Reset();
  Enter();
  if (state.range(0) == 1) OpenPack = "Pack 150", SongRowsStale = true;
  KeysTyped = "1";  // a search under way; the first keystroke has read every title it needs
  RunSongSelect();
  Keystrokes(state);
}
// 0: the packs of the top level; 1: in a pack; 2: 10,000 song folders, no packs
BENCHMARK(BM_SearchKeystroke)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
