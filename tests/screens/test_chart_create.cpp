// The chart generator and its screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "charts/generator.h"
#include "kit/focus.h"
#include "kit/input.h"
#include "screens/chart_create.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

// Times and columns of each section of chart text, by difficulty.
struct Sections {
  std::vector<int> times[DifficultyCount], columns[DifficultyCount];
};

Sections ReadSections(const std::string& text) {
  std::istringstream in(text);
  Sections sections;
  std::string token, separator;
  int section = -1, time = 0, hold = 0;
  while (in >> token) {
    if (token.starts_with("<start")) {
      ++section;
    } else if (token != "<stop>") {
      in >> time >> hold >> separator;
      EXPECT_EQ(hold, 0);
      sections.times[section].push_back(time);
      sections.columns[section].push_back(std::stoi(token));
    }
  }
  EXPECT_EQ(section, Challenge);
  return sections;
}

struct GeneratorTest : ::testing::Test {
  ScratchFolder folder;
  void SetUp() override {
    OpenTestScreen();
    std::filesystem::create_directories("Music");
    SelectedSong = "Track.mp3";
    Screen = ChartCreate;
    CreateBpm = 115;
    CreateDelayMs = 3075;
    CreateBeats = 216;
  }
  void TearDown() override { ResetInput(); }
  void ClickAt(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = Pressed;
    RunChartCreate();
    ResetInput();
  }
  std::string AcceptAndRead() {
    ClickAt(320, 375);
    return ReadTextFile("Music/Track.mp3.tq");
  }
};

// Whatever rand() draws: Beginner steps on some beats in the outer lanes, Easy
// on some beats in any lane, Medium and Hard on every beat, Challenge on every
// half beat; no holds; the screen writes exactly the generator's text.
TEST_F(GeneratorTest, EverySeedGivesTheSameShapeOfChart) {
  for (unsigned seed : {1u, 2u, 1234u, 99u}) {
    srand(seed);
    std::string text = GenerateChartText(97, -250, 33);
    srand(seed);
    CreateBpm = 97, CreateDelayMs = -250, CreateBeats = 33;
    EXPECT_EQ(AcceptAndRead(), text);
    EXPECT_EQ(Screen, DifficultySelect);
    Sections s = ReadSections(text);
    std::vector<int> beats, halves;
    for (int i = 0; i < 33; ++i) beats.push_back(static_cast<int>(i * 60000.0 / 97 - 250));
    for (int j = 0; j < 66; ++j) halves.push_back(static_cast<int>(j * 30000.0 / 97 - 250));
    EXPECT_EQ(s.times[Medium], beats);
    EXPECT_EQ(s.times[Hard], beats);
    EXPECT_EQ(s.times[Challenge], halves);
    for (int d : {Beginner, Easy}) {
      EXPECT_TRUE(std::includes(beats.begin(), beats.end(), s.times[d].begin(), s.times[d].end())) << d;
      EXPECT_LT(s.times[d].size(), beats.size()) << "some beats are left out, for seed " << seed;
    }
    for (int column : s.columns[Beginner]) EXPECT_TRUE(column == 0 || column == 3);
    for (int d = 0; d < DifficultyCount; ++d)
      for (int column : s.columns[d]) EXPECT_TRUE(column >= 0 && column <= 3);
  }
}

// One seed's chart in full, so that a change of the drawing order shows.
TEST_F(GeneratorTest, AFixedSeedGivesAFixedChart) {
  srand(42);
  EXPECT_EQ(GenerateChartText(120, 0, 4),
            "<startbeginner>\n3\n500\n0\n----\n0\n1000\n0\n----\n<stop>\n"
            "<starteasy>\n0\n0\n0\n----\n3\n500\n0\n----\n3\n1000\n0\n----\n0\n1500\n0\n----\n<stop>\n"
            "<startmedium>\n0\n0\n0\n----\n2\n500\n0\n----\n0\n1000\n0\n----\n0\n1500\n0\n----\n<stop>\n"
            "<starthard>\n2\n0\n0\n----\n3\n500\n0\n----\n3\n1000\n0\n----\n0\n1500\n0\n----\n<stop>\n"
            "<startchallenge>\n1\n0\n0\n----\n1\n250\n0\n----\n3\n500\n0\n----\n3\n750\n0\n----\n"
            "1\n1000\n0\n----\n0\n1250\n0\n----\n1\n1500\n0\n----\n0\n1750\n0\n----\n<stop>\n");
}

TEST_F(GeneratorTest, BeatTimes) {
  Sections start = ReadSections(AcceptAndRead());
  EXPECT_EQ(std::vector<int>(start.times[Medium].begin(), start.times[Medium].begin() + 4),
            (std::vector<int>{3075, 3596, 4118, 4640}));
  EXPECT_EQ(start.times[Medium].back(), 115248);
  EXPECT_EQ(start.times[Hard].size(), 216u);
  EXPECT_EQ(start.times[Challenge].size(), 432u);
  for (int column : start.columns[Beginner]) EXPECT_TRUE(column == 0 || column == 3);

  CreateBpm = 120, CreateDelayMs = 0, CreateBeats = 4;
  Sections at120 = ReadSections(AcceptAndRead());
  EXPECT_EQ(at120.times[Medium], (std::vector<int>{0, 500, 1000, 1500}));
  EXPECT_EQ(at120.times[Challenge][1], 250);
  CreateDelayMs = -100;  // due before the music starts
  EXPECT_EQ(ReadSections(AcceptAndRead()).times[Medium][0], -100);
  CreateBpm = -120, CreateDelayMs = 0;  // a negative tempo follows the formula: times fall
  EXPECT_EQ(ReadSections(AcceptAndRead()).times[Medium][1], -500);
}

TEST_F(GeneratorTest, NoBeatsOrNoTempoWriteFiveEmptySections) {
  const std::string empty =
      "<startbeginner>\n<stop>\n<starteasy>\n<stop>\n<startmedium>\n<stop>\n"
      "<starthard>\n<stop>\n<startchallenge>\n<stop>\n";
  CreateBeats = 0;
  EXPECT_EQ(AcceptAndRead(), empty);
  CreateBeats = -5;
  EXPECT_EQ(AcceptAndRead(), empty);
  CreateBeats = 216, CreateBpm = 0;
  srand(7);
  int firstDraw = rand();
  srand(7);
  EXPECT_EQ(AcceptAndRead(), empty);
  EXPECT_EQ(rand(), firstDraw) << "no draws are made without a tempo";
}

TEST_F(GeneratorTest, SecondAcceptReplacesTheChart) {
  WriteTextFile("Music/Track.mp3.tq", std::string(100000, 'x'));
  srand(1);
  std::string first = AcceptAndRead();
  srand(2);
  std::string second = AcceptAndRead();
  EXPECT_NE(first, second);
  EXPECT_EQ(second.find('x'), std::string::npos);
  int files = 0;  // no temporary file is left beside the chart
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Music")) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(GeneratorTest, ButtonsMoveValuesByOneAndBackWritesNothing) {
  ClickAt(103, 135);
  ClickAt(103, 135);
  ClickAt(537, 215);
  ClickAt(103, 295);
  ClickAt(320, 135);  // the value box is read-only
  EXPECT_EQ(CreateBpm, 113);
  EXPECT_EQ(CreateDelayMs, 3076);
  EXPECT_EQ(CreateBeats, 215);
  ClickAt(537, 295);
  EXPECT_EQ(CreateBeats, 216);
  CreateBpm = 1;  // no bound at zero
  ClickAt(103, 135);
  ClickAt(103, 135);
  EXPECT_EQ(CreateBpm, -1);
  EXPECT_EQ(Screen, ChartCreate);
  ClickAt(550, 435);
  EXPECT_EQ(Screen, DifficultySelect);
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.tq"));
}

// With the keyboard focus on a row's small buttons, Left and Right step its value.
TEST_F(GeneratorTest, LeftAndRightStepTheFocusedRow) {
  auto frame = [](int key) {
    ResetInput(5, 5);
    if (key >= 0) KeyStates[key] = Pressed;
    BeginFocusFrame();
    RunChartCreate();
    EndFocusFrame();
  };
  frame(-1);
  FocusIndex = 2;  // the second row's decrease button
  frame(SDLK_LEFT);
  frame(SDLK_LEFT);
  frame(SDLK_RIGHT);
  EXPECT_EQ(CreateDelayMs, 3074);
  EXPECT_EQ(CreateBpm, 115);
  FocusIndex = 1;  // the first row's increase button
  frame(SDLK_RIGHT);
  EXPECT_EQ(CreateBpm, 116);
  FocusIndex = 6;  // "Accept": Left and Right step nothing
  frame(SDLK_LEFT);
  EXPECT_EQ(CreateBeats, 216);
  EXPECT_EQ(Screen, ChartCreate);
  frame(SDLK_RETURN);
  EXPECT_EQ(Screen, DifficultySelect);
  FocusIndex = -1;
}

}  // namespace
