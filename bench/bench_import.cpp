// How long the StepMania import takes on the largest real file of the test data.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/screen_state.h"
#include "charts/library.h"
#include "charts/step_import.h"
#include "screens/chart_import.h"
#include "charts/step_file.h"
#include "test_support.h"

namespace {

const std::string LargestStepFile = ZEDOV_SOURCE_DIR "/../shared/testdata/sm/nekonabe.sm";

// The conversion alone, from text in memory to chart text.
void BM_ConvertLargestStepFile(benchmark::State& state) {
  std::string text = ReadTextFile(LargestStepFile);
  for (auto _ : state) benchmark::DoNotOptimize(ConvertStepText(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ConvertLargestStepFile)->Unit(benchmark::kMicrosecond);

// The whole import as the screen runs it: read the file, convert, replace the chart.
void BM_ImportLargestStepFile(benchmark::State& state) {
  ScratchFolder folder;
  std::filesystem::create_directories("Music");
  std::filesystem::copy_file(LargestStepFile, "Music/nekonabe.sm");
  SelectedSong = "nekonabe.mp3";
  for (auto _ : state) ImportStepFile(MusicPath("nekonabe.sm"), ChartPath(SelectedSong));
}
BENCHMARK(BM_ImportLargestStepFile)->Unit(benchmark::kMicrosecond);

}  // namespace
