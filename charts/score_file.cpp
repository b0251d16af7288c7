// The high-score file: reader and writer.
#include "charts/score_file.h"

#include <sstream>

#include "charts/safe_file.h"

void ReadBestScores(const std::string& path, int scores[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) scores[d] = 0;
  std::string text;
  ReadFileStart(path, text);
  std::istringstream in(std::move(text));
  // Formatted reads skip white space; an overflowing number sets failbit like a word does.
  for (int d = 0; d < DifficultyCount; ++d) {
    int value = 0;
    if (!(in >> value)) return;
    scores[d] = value;
  }
}

std::string ScoreFileText(const int scores[DifficultyCount]) {
  std::string text;
  for (int d = 0; d < DifficultyCount; ++d) text += std::to_string(scores[d]) + "\n";
  return text;
}

bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount], std::string& why) {
  return ReplaceFile(path, ScoreFileText(scores), why);
}

bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount]) {
  std::string why;
  return WriteScoreFile(path, scores, why);
}
