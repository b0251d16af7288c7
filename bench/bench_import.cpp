// How long the StepMania import takes on the largest real file of the test data.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "charts/step_file.h"
#include "charts/step_import.h"
#include "test_support.h"

namespace {

const std::string LargestStepFile = ZEDOV_SOURCE_DIR "/../shared/testdata/ssc/L9.ssc";  // 60.5 KB, 192-row measures
// Nearly as large, with the most notes to write: five charts of 2,700 notes.
const std::string BusiestStepFile = ZEDOV_SOURCE_DIR "/../shared/testdata/ssc/Springtime.ssc";

// The real step files lie beside the repository, not in it: a plain clone has none.
bool SkippedWithoutTheFile(benchmark::State& state) {
  if (std::filesystem::is_regular_file(LargestStepFile)) return false;
  state.SkipWithError("skipped: the real step files of ../shared/testdata/ssc/ are not beside this clone");
  return true;
}

// The conversion alone, from text in memory to chart text.
void ConvertStepFile(benchmark::State& state, const std::string& path) {
  if (SkippedWithoutTheFile(state)) return;
  std::string text = ReadTextFile(path);
  for (auto _ : state) benchmark::DoNotOptimize(ConvertStepText(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
void BM_ConvertLargestStepFile(benchmark::State& state) { ConvertStepFile(state, LargestStepFile); }
void BM_ConvertBusiestStepFile(benchmark::State& state) { ConvertStepFile(state, BusiestStepFile); }
BENCHMARK(BM_ConvertLargestStepFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertBusiestStepFile)->Unit(benchmark::kMicrosecond);

// The whole import as the screen runs it: read the file, convert, replace the chart.
void BM_ImportLargestStepFile(benchmark::State& state) {
  if (SkippedWithoutTheFile(state)) return;
  ScratchFolder folder;
  std::filesystem::create_directories("Music");
  std::filesystem::copy_file(LargestStepFile, "Music/L9.ssc");
  for (auto _ : state) ImportStepFile("Music/L9.ssc", "Music/L9.mp3.tq");
}
BENCHMARK(BM_ImportLargestStepFile)->Unit(benchmark::kMicrosecond);

}  // namespace
