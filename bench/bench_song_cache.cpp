// Opening the song library of 20,000 songs in 300 packs, each song folder
// with its music, a banner and a .ssc of five charts: cold (no cache file:
// every folder and step file read), warm (a new run with the cache file)
// and a later visit in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "charts/library_cache.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

void MakeSong(const fs::path& folder, int n) {
  fs::create_directories(folder);
  std::ofstream(folder / "music.ogg") << "";
  std::ofstream(folder / "banner.png") << "";
  std::ofstream steps(folder / "steps.ssc");
  steps << "#VERSION:0.83;\n#TITLE:Song number " << n << ";\n#ARTIST:Artist " << n % 97 << ";\n#MUSIC:music.ogg;\n"
        << "#BANNER:banner.png;\n#OFFSET:-0.1;\n#BPMS:0=" << 80 + n % 120 << ",64=200;\n";
  for (int chart = 0; chart < 5; ++chart) {
    steps << "#NOTEDATA:;\n#STEPSTYPE:dance-single;\n#DIFFICULTY:Hard;\n#METER:" << chart * 2 + n % 3 << ";\n#NOTES:\n";
    for (int measure = 0; measure < 60; ++measure) steps << "1000\n0100\n0010\n0001\n,\n";
    steps << ";\n";
  }
}

void Library() {
  static ScratchFolder scratch;
  static bool made = false;
  fs::current_path(scratch.path);
  for (int n = 0; !made && n < 20000; ++n)
    MakeSong(scratch.path / "Music" / ("Pack " + std::to_string(n % 300)) / ("Song " + std::to_string(n)), n);
  made = true;
}

void BM_SongLibraryCold(benchmark::State& state) {
  Library();
  for (auto _ : state) {
    fs::remove(LibraryCachePath);
    ForgetLibraryCache();
    OpenSongLibrary(SongOrder::ByName);
  }
  state.counters["folders_read"] = FoldersRead;
}
BENCHMARK(BM_SongLibraryCold)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SongLibraryWarm(benchmark::State& state) {
  Library();
  OpenSongLibrary(SongOrder::ByName);
  for (auto _ : state) {
    state.PauseTiming();  // a new run starts with nothing kept, nothing to free
    ForgetLibraryCache();
    Packs.clear(), LooseSongs.clear();
    state.ResumeTiming();
    OpenSongLibrary(SongOrder::ByName);
  }
  state.counters["folders_read"] = FoldersRead;
}
BENCHMARK(BM_SongLibraryWarm)->Unit(benchmark::kMillisecond);

void BM_SongLibraryVisit(benchmark::State& state) {
  Library();
  OpenSongLibrary(SongOrder::ByName);
  for (auto _ : state) OpenSongLibrary(SongOrder::ByTempo);
  state.counters["folders_read"] = FoldersRead;
}
BENCHMARK(BM_SongLibraryVisit)->Unit(benchmark::kMillisecond);

}  // namespace
