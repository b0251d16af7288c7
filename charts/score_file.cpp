// The high-score file: reader and writer.
#include "charts/score_file.h"

#include <filesystem>
#include <sstream>

#include "charts/safe_file.h"

void ReadBestScores(const std::string& path, int scores[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) scores[d] = NeverPlayed;
  std::string text;
  ReadFileStart(path, text);
  std::istringstream in(std::move(text));
  // Formatted reads skip white space; an overflowing number sets failbit like a word does.
  for (int d = 0; d < DifficultyCount; ++d) {
    int value = 0;
    if (!(in >> value)) return;
    scores[d] = value < 0 ? NeverPlayed : value;
  }
}

std::string ScoreFileText(const int scores[DifficultyCount]) {
  std::string text;
  for (int d = 0; d < DifficultyCount; ++d) text += std::to_string(scores[d] < 0 ? NeverPlayed : scores[d]) + "\n";
  return text;
}

bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount], std::string& why) {
  return ReplaceFile(path, ScoreFileText(scores), why);
}

bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount]) {
  std::string why;
  return WriteScoreFile(path, scores, why);
}

void RetireScoreFile(const std::string& path) {
  std::error_code error;  // a song without a score file has nothing to move
  if (std::filesystem::exists(path, error)) std::filesystem::rename(path, path + ".old", error);
}
