#include "screens/difficulty_select.h"

#include <fstream>
#include <vector>

#include "charts/chart_file.h"
#include "charts/library.h"
#include "kit/font.h"
#include "kit/panels.h"

namespace {

constexpr const char* DifficultyWords[DifficultyCount] = {"beginner", "easy", "medium", "hard",
                                                          "challenge"};

// The white space of formatted input in the C locale.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void MatchTags(const std::string& word, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d)
    if (StartsWith(word, SectionTags[d])) flags[d] = true;
}

void DrawDifficultyRow(int d, int y) {
  if (Button(320, y, 600, 10, true, true, "")) {
    SelectedDifficulty = d;
    Screen = SongStart;
  }
  DrawText(75, y - 10, std::string("play ") + DifficultyWords[d], Left);
  DrawText(565, y - 10, std::to_string(BestScores[d]) + "%", Right);
}

}  // namespace

void ReadChartDifficulties(const std::string& path, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) flags[d] = false;
  std::ifstream in(path, std::ios::binary);
  std::vector<char> piece(4096);
  std::string word;
  bool tooLong = false;  // the current word passed LongestChartToken and is refused
  auto endWord = [&] {
    if (!tooLong) MatchTags(word, flags);
    word.clear();
    tooLong = false;
  };
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    std::streamsize got = in.gcount();
    for (std::streamsize i = 0; i < got; ++i) {
      char c = piece[static_cast<size_t>(i)];
      if (IsBlank(c)) endWord();
      else if (word.size() < LongestChartToken) word += c;
      else tooLong = true;
    }
  }
  endWord();
}

void ReadBestScores(const std::string& path, int scores[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) scores[d] = 0;
  std::ifstream in(path);
  // Formatted reads skip white space; an overflowing number sets failbit like a word does.
  for (int d = 0; d < DifficultyCount; ++d) {
    int value = 0;
    if (!(in >> value)) return;
    scores[d] = value;
  }
}

void RunDifficultySelect() {
  DrawText(25, 45, DisplayName(SelectedSong, 4), Left);
  if (ScreenChanged) {
    ReadChartDifficulties(ChartPath(SelectedSong), ChartHasDifficulty);
    ReadBestScores(ScorePath(SelectedSong), BestScores);
  }
  int y = 55;
  bool anyRow = false;
  for (int d = 0; d < DifficultyCount; ++d) {
    if (!ChartHasDifficulty[d]) continue;
    y += 40;
    anyRow = true;
    DrawDifficultyRow(d, y);
  }
  if (anyRow) y += 40;  // a gap between the rows and the chart buttons
  if (Button(320, y + 40, 600, 10, true, true, "create new step chart")) Screen = ChartCreate;
  if (Button(320, y + 80, 600, 10, true, true, "import step chart")) Screen = ChartImport;
  if (Button(500, 430, 100, 10, false, true, "Back")) Screen = SongSelect;
}
