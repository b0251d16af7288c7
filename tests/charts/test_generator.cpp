#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/generator.h"
#include "charts/library.h"
#include "kit/input.h"
#include "test_support.h"

namespace {

struct ChartSection {
  std::string tag;
  std::vector<std::vector<long>> notes;  // column, time, hold
};

// Reads chart text the way the writers lay it out: tag, entries of four tokens, "<stop>".
std::vector<ChartSection> ParseChart(const std::string& text) {
  std::istringstream in(text);
  std::vector<ChartSection> sections;
  std::string token;
  while (in >> token) {
    if (token.starts_with("<start")) {
      sections.push_back({token, {}});
    } else if (token != "<stop>" && !sections.empty()) {
      long hold;
      std::string separator;
      std::vector<long> note{std::stol(token), 0, 0};
      in >> note[1] >> hold >> separator;
      note[2] = hold;
      sections.back().notes.push_back(note);
    }
  }
  return sections;
}

// The chart as the generator must make it, drawing rand() in the same order.
std::string ReferenceChart(int bpm, int delay, int beats) {
  std::ostringstream out;
  auto note = [&](int column, double ms) {
    out << column << '\n' << static_cast<long>(ms) << "\n0\n----\n";
  };
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
    ResetInput();
    std::filesystem::create_directories("Music");
    SelectedSong = "Track.mp3";
    Screen = ChartCreate;
    CreateBpm = 115;
    CreateDelayMs = 3075;
    CreateBeats = 216;
  }
  void TearDown() override { ResetInput(); }

  // One frame of the screen with a click at (x, y).
  void ClickAt(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = Pressed;
    RunChartCreate();
    ResetInput();
  }
  void Accept() { ClickAt(320, 375); }
  std::string Written() { return ReadTextFile("Music/Track.mp3.tq"); }
};

TEST_F(GeneratorTest, WritesTheWholeChartFromRandInItsDrawOrder) {
  srand(1234);
  Accept();
  srand(1234);
  EXPECT_EQ(Written(), ReferenceChart(115, 3075, 216));
  EXPECT_EQ(Screen, DifficultySelect);

  CreateBpm = 97;
  CreateDelayMs = -250;
  CreateBeats = 33;
  srand(99);
  Accept();
  srand(99);
  EXPECT_EQ(Written(), ReferenceChart(97, -250, 33));
}

TEST_F(GeneratorTest, StartValuesGiveTheKnownTimes) {
  Accept();
  std::vector<ChartSection> sections = ParseChart(Written());
  ASSERT_EQ(sections.size(), 5u);
  for (int d = 0; d < DifficultyCount; ++d) EXPECT_EQ(sections[d].tag, SectionTags[d]);
  const auto& medium = sections[Medium].notes;
  ASSERT_EQ(medium.size(), 216u);
  EXPECT_EQ(medium[0][1], 3075);
  EXPECT_EQ(medium[1][1], 3596);
  EXPECT_EQ(medium[2][1], 4118);
  EXPECT_EQ(medium[3][1], 4640);
  EXPECT_EQ(medium.back()[1], 115248);
  EXPECT_EQ(sections[Hard].notes.size(), 216u);
  EXPECT_EQ(sections[Challenge].notes.size(), 432u);
  for (const auto& note : sections[Beginner].notes) EXPECT_TRUE(note[0] == 0 || note[0] == 3);
  for (const ChartSection& section : sections)
    for (const auto& note : section.notes) {
      EXPECT_GE(note[0], 0);
      EXPECT_LE(note[0], 3);
      EXPECT_EQ(note[2], 0);
    }
}

TEST_F(GeneratorTest, TempoAndDelayPlaceBeatsAndHalfBeats) {
  CreateBpm = 120;
  CreateDelayMs = 0;
  CreateBeats = 4;
  Accept();
  std::vector<ChartSection> sections = ParseChart(Written());
  ASSERT_EQ(sections.size(), 5u);
  EXPECT_EQ(sections[Medium].notes[1][1], 500);
  EXPECT_EQ(sections[Challenge].notes[1][1], 250);
  EXPECT_EQ(sections[Challenge].notes[7][1], 1750);

  CreateDelayMs = -100;  // due before the music starts
  Accept();
  EXPECT_EQ(ParseChart(Written())[Medium].notes[0][1], -100);

  CreateBpm = -120;  // a negative tempo follows the formula: times fall
  CreateDelayMs = 0;
  Accept();
  EXPECT_EQ(ParseChart(Written())[Medium].notes[1][1], -500);
}

TEST_F(GeneratorTest, NoBeatsOrNoTempoWriteFiveEmptySections) {
  const std::string empty =
      "<startbeginner>\n<stop>\n<starteasy>\n<stop>\n<startmedium>\n<stop>\n"
      "<starthard>\n<stop>\n<startchallenge>\n<stop>\n";
  CreateBeats = 0;
  Accept();
  EXPECT_EQ(Written(), empty);
  CreateBeats = -5;
  Accept();
  EXPECT_EQ(Written(), empty);
  CreateBeats = 216;
  CreateBpm = 0;
  srand(7);
  int firstDraw = rand();
  srand(7);
  Accept();
  EXPECT_EQ(Written(), empty);
  EXPECT_EQ(rand(), firstDraw) << "no draws are made without a tempo";
}

TEST_F(GeneratorTest, SecondAcceptReplacesTheChart) {
  WriteTextFile("Music/Track.mp3.tq", std::string(100000, 'x'));
  srand(1);
  Accept();
  std::string first = Written();
  srand(2);
  Accept();
  std::string second = Written();
  EXPECT_NE(first, second);
  EXPECT_EQ(second.find('x'), std::string::npos);
  EXPECT_EQ(ParseChart(second).size(), 5u);
  int files = 0;  // no temporary file is left beside the chart
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Music")) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(GeneratorTest, ArrowButtonsMoveEachValueByOne) {
  ClickAt(103, 135);
  ClickAt(103, 135);
  ClickAt(537, 215);
  ClickAt(103, 295);
  EXPECT_EQ(CreateBpm, 113);
  EXPECT_EQ(CreateDelayMs, 3076);
  EXPECT_EQ(CreateBeats, 215);
  ClickAt(537, 135);
  EXPECT_EQ(CreateBpm, 114);
  ClickAt(320, 135);  // the value box is read-only
  EXPECT_EQ(CreateBpm, 114);
  EXPECT_EQ(Screen, ChartCreate);
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.tq"));

  CreateBpm = 1;  // no bound at zero
  ClickAt(103, 135);
  ClickAt(103, 135);
  EXPECT_EQ(CreateBpm, -1);
}

TEST_F(GeneratorTest, BackLeavesWithoutWriting) {
  ClickAt(550, 435);
  EXPECT_EQ(Screen, DifficultySelect);
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.tq"));
  RunChartCreate();  // a frame without a click changes nothing
  EXPECT_EQ(CreateBpm, 115);
}

}  // namespace
