#include <gtest/gtest.h>

#include <filesystem>

#include "app/screen_state.h"
#include "game/song_start.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "screens/results.h"
#include "test_support.h"

namespace {

void SetCounts(int boo, int good, int perfect, int longest) {
  BooCount = boo;
  GoodCount = good;
  PerfectCount = perfect;
  LongestCombo = longest;
}

TEST(ResultsArithmetic, PointsAndScoreOfAMixedPlay) {
  SetCounts(17, 8, 25, 13);
  EXPECT_EQ(YourPoints(), 319);
  EXPECT_EQ(MaxPoints(), 550);
  EXPECT_EQ(ScorePercent(319, 550), 57);  // 0.58 computed as 0.58 / 1 * 100 = 57.99...
}

TEST(ResultsArithmetic, AllPerfectInOneComboIsAHundred) {
  SetCounts(0, 0, 40, 40);
  EXPECT_EQ(ScorePercent(YourPoints(), MaxPoints()), 100);
  SetCounts(0, 0, 40, 39);
  EXPECT_EQ(ScorePercent(YourPoints(), MaxPoints()), 99);
}

TEST(ResultsArithmetic, AllBooIsZero) {
  SetCounts(30, 0, 0, 0);
  EXPECT_EQ(YourPoints(), 0);
  EXPECT_EQ(ScorePercent(YourPoints(), MaxPoints()), 0);
}

TEST(ResultsArithmetic, NoNotesScoresZero) {
  SetCounts(0, 0, 0, 0);
  EXPECT_EQ(MaxPoints(), 0);
  EXPECT_EQ(ScorePercent(0, 0), 0);
  EXPECT_EQ(ScorePercent(5, 0), 0);
}

struct ScoreFile : testing::Test {
  void SetUp() override {
    OpenTestScreen();
    ResetInput();
    SelectedSong = "Song.mp3";
    for (int& best : BestScores) best = 0;
    std::filesystem::create_directory("Music");
  }
  ScratchFolder scratch;
};

TEST_F(ScoreFile, ReadsFiveNumbersOfAnyWhiteSpace) {
  WriteTextFile("Music/a.score", "1\r\n2 3\t4\n5");
  int scores[5];
  ReadScoreFile("Music/a.score", scores);
  EXPECT_EQ(std::vector<int>(scores, scores + 5), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(ScoreFile, FromTheFirstUnreadableNumberOnAllAreZero) {
  int scores[5] = {9, 9, 9, 9, 9};
  WriteTextFile("Music/a.score", "12\nabc\n40\n50\n60\n");
  ReadScoreFile("Music/a.score", scores);
  EXPECT_EQ(std::vector<int>(scores, scores + 5), (std::vector<int>{12, 0, 0, 0, 0}));
  WriteTextFile("Music/a.score", "12\n99999999999\n40\n");
  ReadScoreFile("Music/a.score", scores);
  EXPECT_EQ(std::vector<int>(scores, scores + 5), (std::vector<int>{12, 0, 0, 0, 0}));
  ReadScoreFile("Music/missing.score", scores);
  EXPECT_EQ(std::vector<int>(scores, scores + 5), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(ScoreFile, HardOnANewSongCreatesTheFile) {
  SelectedDifficulty = Hard;
  RecordBest(57);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), "0\n0\n0\n57\n0\n");
  EXPECT_EQ(PreviousBest, 0);
  EXPECT_EQ(BestScores[Hard], 57);
}

TEST_F(ScoreFile, EqualScoreRewritesTheSameValues) {
  int stored[5] = {10, 20, 30, 40, 50};
  std::copy(stored, stored + 5, BestScores);
  WriteTextFile("Music/Song.mp3.score", "10 20 30 40 50");
  SelectedDifficulty = Medium;
  RecordBest(30);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), "10\n20\n30\n40\n50\n");
  EXPECT_EQ(PreviousBest, 30);
}

TEST_F(ScoreFile, LowerScoreKeepsTheBest) {
  BestScores[Easy] = 80;
  SelectedDifficulty = Easy;
  RecordBest(79);
  EXPECT_EQ(BestScores[Easy], 80);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), "0\n80\n0\n0\n0\n");
}

TEST_F(ScoreFile, TwoNumberFileIsRewrittenAsFiveLines) {
  WriteTextFile("Music/Song.mp3.score", "12\n40\n");
  ReadScoreFile("Music/Song.mp3.score", BestScores);
  SelectedDifficulty = Challenge;
  RecordBest(70);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), "12\n40\n0\n0\n70\n");
}

TEST_F(ScoreFile, WriteLeavesNoTemporaryFileBehind) {
  SelectedDifficulty = Beginner;
  RecordBest(5);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator("Music"))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Song.mp3.score"});
}

TEST_F(ScoreFile, UnwritableFolderRaisesTheBestInMemoryOnly) {
  std::filesystem::remove("Music");
  SelectedDifficulty = Easy;
  RecordBest(44);
  EXPECT_EQ(BestScores[Easy], 44);
  EXPECT_FALSE(std::filesystem::exists("Music/Song.mp3.score"));
}

TEST_F(ScoreFile, PathsOfAnyLength) {
  std::string folders;
  for (int i = 0; i < 12; ++i) folders += std::string(40, 'a' + i) + "/";
  std::filesystem::create_directories("Music/" + folders);
  SelectedSong = folders + "Song.mp3";
  SelectedDifficulty = Medium;
  RecordBest(12);
  int scores[5];
  ReadScoreFile("Music/" + SelectedSong + ".score", scores);
  EXPECT_EQ(scores[Medium], 12);
}

TEST_F(ScoreFile, OnlyTheFirstFrameRecordsTheBest) {
  SetCounts(0, 0, 10, 10);
  SelectedDifficulty = Medium;
  ScreenChanged = false;
  RunResults();
  EXPECT_FALSE(std::filesystem::exists("Music/Song.mp3.score"));
  ScreenChanged = true;
  BestScores[Medium] = 60;
  RunResults();
  EXPECT_EQ(PreviousBest, 60);
  EXPECT_EQ(BestScores[Medium], 100);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), "0\n0\n100\n0\n0\n");
  ScreenChanged = false;
  RunResults();
  EXPECT_EQ(PreviousBest, 60);  // still the best from before this play
  ScreenChanged = true;
}

TEST_F(ScoreFile, BackReturnsToTheDifficultySelect) {
  Screen = Results;
  ScreenChanged = false;
  RunResults();
  EXPECT_EQ(Screen, Results);
  ResetInput(510, 438);
  MouseButtons[1] = Pressed;
  RunResults();
  EXPECT_EQ(Screen, DifficultySelect);
}

// Labels begin at x 215 and values end at x 425, in a font of solid white cells.
TEST_F(ScoreFile, RowsLineUpOnTheirColumns) {
  SDL_Surface* font = FontImage;
  FontImage = MakeImage(95 * 15, 21, 255, 255, 255);
  for (int i = 0; i < 95; ++i) GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
  FillScreen(0, 0, 0);
  SetCounts(17, 8, 25, 13);
  SelectedDifficulty = Challenge;
  ScreenChanged = false;
  RunResults();
  EXPECT_EQ(ScreenPixel(25 + 11 * 8 + 14, 65), 0xFFFFFFu);  // "challenge"
  EXPECT_EQ(ScreenPixel(25 + 11 * 8 + 15, 65), 0u);
  for (int y : {95, 115, 135, 155, 185, 205, 235, 255}) {
    EXPECT_EQ(ScreenPixel(215, y), 0xFFFFFFu) << y;
    EXPECT_EQ(ScreenPixel(214, y), 0u) << y;
    EXPECT_EQ(ScreenPixel(424 - 11 + 14, y), 0xFFFFFFu) << y;  // last glyph starts at 414
  }
  EXPECT_EQ(ScreenPixel(215, 94), 0u);
  EXPECT_EQ(ScreenPixel(215, 176), 0u);  // the gap between the counts and the points
  EXPECT_EQ(ScreenPixel(25, 45), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(25 + 11 * 3 + 14, 45), 0xFFFFFFu);  // "Song"
  EXPECT_EQ(ScreenPixel(25 + 11 * 3 + 15, 45), 0u);
  SDL_FreeSurface(FontImage);
  FontImage = font;
}

}  // namespace
