// Replays the fuzzers' seed inputs and every input that once broke a fuzzer
// (fuzz/corpus/, fuzz/regressions/) through all the readers of player files,
// so the ordinary and the sanitizer builds keep them harmless.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/score_file.h"
#include "charts/step_file.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FuzzInputs() {
  std::vector<fs::path> inputs;
  for (const char* folder : {"fuzz/corpus", "fuzz/regressions"}) {
    fs::path root = fs::path(ZEDOV_SOURCE_DIR) / folder;
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  return inputs;
}

TEST(FuzzInputs, EveryKeptInputReadsSafelyAsChartScoresAndStepFile) {
  std::vector<fs::path> inputs = FuzzInputs();
  ASSERT_GE(inputs.size(), 8u) << "the seeds in fuzz/corpus/ are missing";
  ScratchFolder scratch;
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.string());
    bool flags[DifficultyCount];
    ReadChartDifficulties(input.string(), flags);
    for (int d = 0; d < DifficultyCount; ++d) {
      std::vector<Note> notes = ReadChartSection(input.string(), d);
      EXPECT_LT(notes.size(), static_cast<size_t>(MostRecordsRead));
      if (!flags[d]) {
        EXPECT_TRUE(notes.empty());
      }
    }
    // Whatever scores were read are written so that they read back the same.
    int scores[DifficultyCount], again[DifficultyCount];
    ReadBestScores(input.string(), scores);
    WriteTextFile("scores", ScoreFileText(scores));
    ReadBestScores("scores", again);
    EXPECT_TRUE(std::equal(scores, scores + DifficultyCount, again));

    // A step file's chart reads back with arrows in the four columns only.
    std::string chart = ConvertStepText(ReadTextFile(input));
    for (int d = 0; d < DifficultyCount; ++d) {
      std::istringstream in(chart);
      for (const Note& note : ReadChartSection(in, d)) {
        EXPECT_GE(note.column, 0);
        EXPECT_LE(note.column, 3);
      }
    }
  }
}

}  // namespace
