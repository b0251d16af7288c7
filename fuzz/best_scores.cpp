// Any bytes as a song's high-score file. The reader must set every score
// whatever the file holds, from the file alone; a file written from five
// scores reads back as those five scores (any below zero as NeverPlayed).
#include <cstdint>
#include <cstring>
#include <string>

#include "charts/score_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string path = InputAsFile(data, size);
  // Read over two different arrays: what the reader leaves must depend on the
  // file alone, never on what the array held before.
  int bySelect[DifficultyCount], bySelectAgain[DifficultyCount];
  for (int d = 0; d < DifficultyCount; ++d) {
    bySelect[d] = 77;
    bySelectAgain[d] = -5;
  }
  ReadBestScores(path, bySelect);
  ReadBestScores(path, bySelectAgain);
  for (int d = 0; d < DifficultyCount; ++d) FUZZ_CHECK(bySelect[d] == bySelectAgain[d]);

  if (size >= sizeof(int) * DifficultyCount) {
    int scores[DifficultyCount];
    std::memcpy(scores, data, sizeof scores);
    std::string written = ScoreFileText(scores);
    std::string back = InputAsFile(reinterpret_cast<const uint8_t*>(written.data()), written.size());
    int read[DifficultyCount];
    ReadBestScores(back, read);
    for (int d = 0; d < DifficultyCount; ++d) FUZZ_CHECK(read[d] == (scores[d] < 0 ? NeverPlayed : scores[d]));
  }
  return 0;
}
