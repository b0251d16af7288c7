#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "charts/generator.h"
#include "screens/chart_create.h"
#include "kit/input.h"
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

// The chart as the generator must make it, drawing rand() in the same order.
std::string ReferenceChart(int bpm, int delay, int beats) {
  std::ostringstream out;
  auto note = [&](int column, double ms) { out << column << '\n' << long(ms) << "\n0\n----\n"; };
  out << "<startbeginner>\n";
  for (int i = 0; i < beats; ++i)
    if (rand() % 10 < 6) note(rand() % 2 == 0 ? 0 : 3, i * 1000.0 * 60 / bpm + delay);
  out << "<stop>\n<starteasy>\n";
  for (int i = 0; i < beats; ++i)
    if (rand() % 10 < 8) note(rand() % 4, i * 1000.0 * 60 / bpm + delay);
  for (const char* tag : {"<startmedium>", "<starthard>"}) {
    out << "<stop>\n" << tag << '\n';
    for (int i = 0; i < beats; ++i) note(rand() % 4, i * 1000.0 * 60 / bpm + delay);
  }
  out << "<stop>\n<startchallenge>\n";
  for (int j = 0; j < 2 * beats; ++j) note(rand() % 4, j * 0.5 * 1000 * 60 / bpm + delay);
  out << "<stop>\n";
  return out.str();
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

TEST_F(GeneratorTest, WritesTheWholeChartFromRandInItsDrawOrder) {
  for (auto [bpm, delay, beats, seed] : {std::array{115, 3075, 216, 1234}, {97, -250, 33, 99}}) {
    CreateBpm = bpm, CreateDelayMs = delay, CreateBeats = beats;
    srand(seed);
    std::string written = AcceptAndRead();
    srand(seed);
    EXPECT_EQ(written, ReferenceChart(bpm, delay, beats));
    EXPECT_EQ(Screen, DifficultySelect);
  }
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

}  // namespace
