// How long a 4-minute MP3 song takes to analyse, and how much of that is
// decoding alone: each run decodes, then analyses, and reports both.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "../tests/charts/synth_music.h"
#include "charts/music_analysis.h"
#include "charts/music_decode.h"
#include "charts/music_chart.h"
#include "test_support.h"

namespace {

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_AnalyseFourMinuteSong(benchmark::State& state) {
  ScratchFolder folder;
  if (!EncodeSong(Synthesise({127.35, 1234, 240}), 44100, "song.mp3")) {
    state.SkipWithError("skipped: lame is missing");
    return;
  }
  double decodeMs = 0, analyseMs = 0, chartMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    DecodedMusic music;
    std::string why;
    DecodeMusicFile("song.mp3", music, why);
    decodeMs += MsSince(start);
    auto analysed = std::chrono::steady_clock::now();
    MusicAnalysis found = AnalyseMusic(music.samples.data(), music.samples.size(), music.rate);
    analyseMs += MsSince(analysed);
    auto charted = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(MusicChartText(found));
    chartMs += MsSince(charted);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["decode_ms"] = decodeMs / runs;
  state.counters["analysis_ms"] = analyseMs / runs;
  state.counters["decode_and_analysis_ms"] = (decodeMs + analyseMs) / runs;
  state.counters["charts_ms"] = chartMs / runs;
}
BENCHMARK(BM_AnalyseFourMinuteSong)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
