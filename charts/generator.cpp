#include "charts/generator.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/panels.h"

namespace {

// Truncates toward zero, keeping far-off values inside 32 bits.
int TruncateMs(double ms) {
  if (!(ms > -2147483648.0)) return INT32_MIN;
  if (ms >= 2147483647.0) return INT32_MAX;
  return static_cast<int>(ms);
}

// Beat i of the song; the multiplications go in this order on purpose.
int BeatTime(int i) {
  return TruncateMs(static_cast<double>(i) * 1000 * 60 / CreateBpm + CreateDelayMs);
}

int HalfBeatTime(int j) {
  return TruncateMs(static_cast<double>(j) * 0.5 * 1000 * 60 / CreateBpm + CreateDelayMs);
}

void WriteNote(std::ostream& out, int column, int time) {
  out << column << '\n' << time << '\n' << 0 << '\n' << "----\n";
}

// Beginner and Easy: a note on a beat only when its first draw is below the
// threshold; only then is the column drawn.
void WriteSparseSection(std::ostream& out, int difficulty, int threshold, int columns) {
  out << SectionTags[difficulty] << '\n';
  for (int i = 0; i < CreateBeats; ++i) {
    if (std::rand() % 10 >= threshold) continue;
    int r2 = std::rand();
    int column = columns == 2 ? (r2 % 2 == 0 ? 0 : 3) : r2 % 4;
    WriteNote(out, column, BeatTime(i));
  }
  out << "<stop>\n";
}

void WriteEveryBeatSection(std::ostream& out, int difficulty) {
  out << SectionTags[difficulty] << '\n';
  for (int i = 0; i < CreateBeats; ++i) WriteNote(out, std::rand() % 4, BeatTime(i));
  out << "<stop>\n";
}

void WriteHalfBeatSection(std::ostream& out) {
  out << SectionTags[Challenge] << '\n';
  for (int j = 0; j < 2 * CreateBeats; ++j) WriteNote(out, std::rand() % 4, HalfBeatTime(j));
  out << "<stop>\n";
}

// One question: decrease and increase buttons with their arrow icons, then
// the value box, so that a click shows its new value in the same frame.
void AskValue(int y, const char* question, int& value, const char* unit) {
  DrawText(40, y - 40, question, Left);
  if (Button(103, y, 60, 10, true, true, "")) --value;
  DrawImage(ArrowsImage, &ArrowRects[1], 95, y - 9);
  if (Button(537, y, 60, 10, true, true, "")) ++value;
  DrawImage(ArrowsImage, &ArrowRects[3], 529, y - 9);
  Button(320, y, 300, 10, true, false, std::to_string(value) + unit);
}

}  // namespace

std::string GenerateChartText() {
  std::ostringstream out;
  // A tempo of 0 has no beat length: the sections are written without notes.
  bool noBeats = CreateBpm == 0 || CreateBeats <= 0;
  if (noBeats) {
    for (const char* tag : SectionTags) out << tag << '\n' << "<stop>\n";
    return out.str();
  }
  WriteSparseSection(out, Beginner, 6, 2);
  WriteSparseSection(out, Easy, 8, 4);
  WriteEveryBeatSection(out, Medium);
  WriteEveryBeatSection(out, Hard);
  WriteHalfBeatSection(out);
  return out.str();
}

void RunChartCreate() {
  AskValue(135, "How fast is the song?", CreateBpm, " BPM");
  AskValue(215, "When does the first beat occur?", CreateDelayMs, " millisecond delay");
  AskValue(295, "How many beats are there before the song ends?", CreateBeats, " arrows");
  if (Button(320, 375, 600, 10, true, true, "Accept")) {
    ReplaceFile(ChartPath(SelectedSong), GenerateChartText());
    Screen = DifficultySelect;
  }
  if (Button(500, 430, 100, 10, false, true, "Back")) Screen = DifficultySelect;
}
