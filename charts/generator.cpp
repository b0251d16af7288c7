// The chart generator: five sections of random steps on the song's beats.
#include "charts/generator.h"

#include <cstdlib>
#include <sstream>

#include "charts/chart_file.h"
#include "charts/clamp.h"

namespace {

struct Song {
  double bpm;
  int firstBeatMs;
  int beats;
};

// Beat i of the song; the multiplications go in this order on purpose.
int BeatTime(const Song& song, int i) {
  return TruncateToInt32(static_cast<double>(i) * 1000 * 60 / song.bpm + song.firstBeatMs);
}

int HalfBeatTime(const Song& song, int j) {
  return TruncateToInt32(static_cast<double>(j) * 0.5 * 1000 * 60 / song.bpm + song.firstBeatMs);
}

// Beginner and Easy: a note on a beat only when its first draw is below the
// threshold; only then is the column drawn.
std::vector<Note> SparseNotes(const Song& song, int threshold, int columns) {
  std::vector<Note> notes;
  for (int i = 0; i < song.beats; ++i) {
    if (std::rand() % 10 >= threshold) continue;
    int r2 = std::rand();
    int column = columns == 2 ? (r2 % 2 == 0 ? 0 : 3) : r2 % 4;
    notes.push_back({column, BeatTime(song, i), 0});
  }
  return notes;
}

std::vector<Note> EveryBeatNotes(const Song& song) {
  std::vector<Note> notes;
  for (int i = 0; i < song.beats; ++i) notes.push_back({std::rand() % 4, BeatTime(song, i), 0});
  return notes;
}

std::vector<Note> HalfBeatNotes(const Song& song) {
  std::vector<Note> notes;
  for (int j = 0; j < 2 * song.beats; ++j) notes.push_back({std::rand() % 4, HalfBeatTime(song, j), 0});
  return notes;
}

// A section is written even without notes, so the generator's chart always offers all five.
void WriteSection(std::ostream& out, int difficulty, const std::vector<Note>& notes) {
  if (notes.empty())
    out << SectionTags[difficulty] << '\n' << "<stop>\n";
  else
    WriteChartSection(out, difficulty, notes);
}

}  // namespace

std::string GenerateChartText(double bpm, int firstBeatMs, int beats) {
  std::vector<Note> notes[DifficultyCount];
  Song song{bpm, firstBeatMs, beats};
  // A tempo of 0 has no beat length: the sections are written without notes.
  if (bpm != 0 && beats > 0) {
    notes[Beginner] = SparseNotes(song, 6, 2);
    notes[Easy] = SparseNotes(song, 8, 4);
    notes[Medium] = EveryBeatNotes(song);
    notes[Hard] = EveryBeatNotes(song);
    notes[Challenge] = HalfBeatNotes(song);
  }
  return FiveSectionText(notes);
}

std::string FiveSectionText(const std::vector<Note> (&notes)[DifficultyCount]) {
  std::ostringstream out;
  for (int d = 0; d < DifficultyCount; ++d) WriteSection(out, d, notes[d]);
  return out.str();
}
