// The high-score file: what the reader keeps of any file, and the writer's round trip.
#include <gtest/gtest.h>

#include <string>

#include "charts/score_file.h"
#include "test_files.h"

namespace {

std::string ReadScores(const std::string& text, const char* path = "s.score") {
  WriteTextFile("s.score", text);
  int scores[DifficultyCount] = {7, 7, 7, 7, 7};  // the reader must set every one
  ReadBestScores(path, scores);
  std::string s;
  for (int v : scores) s += std::to_string(v) + " ";
  return s;
}

}  // namespace

// A score below zero, or one the reader cannot reach, is a chart never played.
TEST(BestScoreReader, TheFirstFailedReadLeavesThatScoreAndAllLaterNeverPlayed) {
  ScratchFolder scratch;
  EXPECT_EQ(ReadScores("10\r\n20\n 30\t40 50 60"), "10 20 30 40 50 ");
  EXPECT_EQ(ReadScores("57\n100\n"), "57 100 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("12\nabc\n30\n40\n50\n"), "12 -1 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("12abc 30"), "12 -1 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("1 2147483647 2147483648 4 5"), "1 2147483647 -1 -1 -1 ");  // beyond int
  EXPECT_EQ(ReadScores("-5\n-2147483648\n0\n-2147483649\n1\n"), "-1 -1 0 -1 -1 ");
  EXPECT_EQ(ReadScores("+7 00000000000000000000000042 3.75 4 5"), "7 42 3 -1 -1 ");  // the point is no number
  EXPECT_EQ(ReadScores("0x1F 2"), "0 -1 -1 -1 -1 ");  // 0, then the word "x1F"
  EXPECT_EQ(ReadScores(std::string("3 \xff\0\x80", 5)), "3 -1 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("4 " + std::string(1 << 20, '9')), "4 -1 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("- 5 5 5 5 5"), "-1 -1 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("\xff\xfe\x31\x00\x32\x00"), "-1 -1 -1 -1 -1 ");  // the numbers in UTF-16
  EXPECT_EQ(ReadScores("1 2 3", "missing.score"), "-1 -1 -1 -1 -1 ");
  EXPECT_EQ(ReadScores("0\n0\n0\n0\n0\n"), "0 0 0 0 0 ") << "a file of an earlier version reads as it did";
}

TEST(BestScoreWriter, FiveLinesThatReadBackAndAFailedWriteKeepsTheOldFile) {
  ScratchFolder scratch;
  const int scores[DifficultyCount] = {INT32_MIN, -1, 0, 100, INT32_MAX};
  EXPECT_EQ(ScoreFileText(scores), "-1\n-1\n0\n100\n2147483647\n");
  ASSERT_TRUE(WriteScoreFile("s.score", scores));
  int back[DifficultyCount];
  ReadBestScores("s.score", back);
  for (int d = 0; d < DifficultyCount; ++d) EXPECT_EQ(back[d], scores[d] < 0 ? NeverPlayed : scores[d]);
  EXPECT_FALSE(WriteScoreFile("no/such/folder/s.score", scores));
}
