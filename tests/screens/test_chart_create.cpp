// The chart generator and its screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <sstream>
#include <string>
#include <vector>

#include "charts/generator.h"
#include "charts/song_analysis.h"
#include "../charts/synth_music.h"
#include "kit/clock.h"
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
    Screen = ScreenId::ChartCreate;
    CreateBpm = 115;
    CreateDelayMs = 3075;
    CreateBeats = 216;
  }
  void TearDown() override { ResetInput(); }
  void ClickAt(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = KeyState::Pressed;
    RunChartCreate();
    ResetInput();
  }
  // Accept for a song without a chart: written at once, with no question.
  std::string AcceptAndRead() {
    std::filesystem::remove("Music/Track.mp3.tq");
    ClickAt(320, 375);
    return ReadTextFile("Music/Track.mp3.tq");
  }
};

// Whatever rand() draws: Beginner steps on some beats in the outer columns, Easy
// on some beats in any column, Medium and Hard on every beat, Challenge on every
// half beat; no holds; the screen writes exactly the generator's text.
TEST_F(GeneratorTest, EverySeedGivesTheSameShapeOfChart) {
  for (unsigned seed : {1u, 2u, 1234u, 99u}) {
    srand(seed);
    std::string text = GenerateChartText(97, 250, 33);
    srand(seed);
    CreateBpm = 97, CreateDelayMs = 250, CreateBeats = 33;
    EXPECT_EQ(AcceptAndRead(), text);
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
    Sections s = ReadSections(text);
    const std::vector<int> beats = s.times[Medium];  // their times are checked by BeatTimes
    ASSERT_EQ(beats.size(), 33u);
    EXPECT_EQ(s.times[Hard], beats);
    ASSERT_EQ(s.times[Challenge].size(), 66u);
    for (size_t i = 0; i < beats.size(); ++i) EXPECT_EQ(s.times[Challenge][2 * i], beats[i]) << i;
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
  // Beyond the screen's bounds the generator still follows its formula.
  EXPECT_EQ(ReadSections(GenerateChartText(120, -100, 4)).times[Medium][0], -100);
  EXPECT_EQ(ReadSections(GenerateChartText(-120, 0, 4)).times[Medium][1], -500);
}

TEST_F(GeneratorTest, NoBeatsOrNoTempoWriteFiveEmptySections) {
  const std::string empty =
      "<startbeginner>\n<stop>\n<starteasy>\n<stop>\n<startmedium>\n<stop>\n"
      "<starthard>\n<stop>\n<startchallenge>\n<stop>\n";
  EXPECT_EQ(GenerateChartText(115, 3075, 0), empty);
  EXPECT_EQ(GenerateChartText(115, 3075, -5), empty);
  srand(7);
  int firstDraw = rand();
  srand(7);
  EXPECT_EQ(GenerateChartText(0, 3075, 216), empty);
  EXPECT_EQ(rand(), firstDraw) << "no draws are made without a tempo";
}

// A song with a chart is asked about first (Cancel: see the import screen's
// test); Replace writes the chart and moves the bests aside, over older ones.
TEST_F(GeneratorTest, ReplacingAChartAsksFirstAndRetiresItsBests) {
  const std::string scores = "0\n57\n-1\n0\n100\n";
  WriteTextFile("Music/Track.mp3.tq", std::string(100000, 'x'));
  WriteTextFile("Music/Track.mp3.score", scores);
  WriteTextFile("Music/Track.mp3.score.old", "older");
  ClickAt(320, 375);  // Accept
  EXPECT_EQ(Screen, ScreenId::ChartCreate);
  ClickAt(220, 255);  // Replace
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_TRUE(ReadTextFile("Music/Track.mp3.tq").starts_with("<startbeginner>"));
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.score")) << "the new chart starts with no bests";
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.score.old"), scores) << "one generation kept";
  int files = 0;  // no temporary file is left beside the chart
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Music")) ++files;
  EXPECT_EQ(files, 2);
}

// Each click moves a value by one (the tempo by 0.01 with Shift), within its
// bounds; "x2" and "/2" double and halve the tempo and the beats; the value
// box is read-only.
TEST_F(GeneratorTest, ButtonsStepValuesWithinTheirBoundsAndBackWritesNothing) {
  struct Case { int row; double start; int x, y, clicks; bool shift; double expected; int beatsAfter; };
  for (const Case& c : {Case{0, 115, 103, 135, 2, false, 113, 216}, Case{1, 3075, 537, 215, 1, false, 3076, 216},
                        Case{2, 216, 103, 295, 1, false, 215, 215}, Case{0, 2, 103, 135, 3, false, 1, 216},
                        Case{0, 998, 537, 135, 3, false, 999, 216}, Case{1, 1, 103, 215, 3, false, 0, 216},
                        Case{1, 599999, 537, 215, 2, false, 600000, 216}, Case{2, 1, 103, 295, 1, false, 1, 1},
                        Case{2, 999, 537, 295, 5, false, 1000, 1000}, Case{2, -1001, 320, 295, 1, false, 1, 1},
                        Case{0, 100000, 320, 135, 1, false, 999, 216}, Case{0, 127.35, 537, 135, 3, true, 127.38, 216},
                        Case{0, 127.35, 103, 135, 1, true, 127.34, 216}, Case{0, 127.35, 540, 95, 1, false, 254.7, 432},
                        Case{0, 127.35, 440, 95, 2, false, 31.8375, 54}, Case{0, 600, 540, 95, 1, false, 600, 216}}) {
    CreateBeats = 216;
    if (c.row == 0) CreateBpm = c.start;
    if (c.row == 1) CreateDelayMs = static_cast<int>(c.start);
    if (c.row == 2) CreateBeats = static_cast<int>(c.start);
    for (int i = 0; i < c.clicks; ++i) {
      ResetInput(c.x, c.y);
      KeyStates[SDLK_LSHIFT] = c.shift ? KeyState::Held : KeyState::Up;
      MouseButtons[1] = KeyState::Pressed;
      RunChartCreate();
      ResetInput();
    }
    double value = c.row == 0 ? CreateBpm : c.row == 1 ? CreateDelayMs : CreateBeats;
    EXPECT_NEAR(value, c.expected, 1e-9) << c.start << " at " << c.x << "," << c.y;
    if (c.row != 2) {
      EXPECT_EQ(CreateBeats, c.beatsAfter) << c.start;
    }
  }
  EXPECT_EQ(Screen, ScreenId::ChartCreate);
  ClickAt(550, 435);
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.tq"));
}

// On entry the music is listened to while the screen runs: a drum song fills
// the tempo, the first beat (on the player's time line: the MP3's 51 ms of
// encoder and decoder delay included) and the beats, and "Accept" writes
// arrows on its grid; a second visit fills them at once. Noise, or a file
// that is no music, leaves the values as they were and the arrows random.
TEST_F(GeneratorTest, TheMusicFillsTheValuesWhenItHasABeat) {
  struct Case { const char* song; SynthKind kind; bool found; };
  for (const Case& c : {Case{"Drums.mp3", SynthKind::Drums, true}, Case{"Noise.mp3", SynthKind::Noise, false},
                        Case{"Junk.mp3", SynthKind::Silence, false}}) {
    if (c.found && !EncodeSong(Synthesise({127.35, 1234, 40, c.kind}), 44100, std::string("Music/") + c.song))
      GTEST_SKIP() << "lame is missing";
    if (!c.found && !EncodeSong(Synthesise({120, 0, 20, c.kind}), 44100, std::string("Music/") + c.song))
      WriteTextFile(std::string("Music/") + c.song, "junk");
    if (c.kind == SynthKind::Silence) WriteTextFile(std::string("Music/") + c.song, std::string(3000, 'x'));
    SelectedSong = c.song;
    CreateBpm = 100, CreateDelayMs = 200, CreateBeats = 300, CreateArrows = ArrowsFrom::RandomBeats;
    for (int visit = 0; visit < 2; ++visit) {
      Screen = ScreenId::ChartCreate;
      ScreenChanged = true;
      RunChartCreate();
      ScreenChanged = false;
      EXPECT_TRUE(visit == 0 || !ChartCreateListening()) << "a second visit is instant";
      for (int i = 0; i < 3000 && ChartCreateListening(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        RunChartCreate();
      }
      EXPECT_FALSE(ChartCreateListening()) << c.song;
      EXPECT_NEAR(CreateBpm, c.found ? 127.35 : 100, 0.02) << c.song;
      EXPECT_NEAR(CreateDelayMs, c.found ? 1234 + 51 : 200, 10) << c.song;
      EXPECT_NEAR(CreateBeats, c.found ? 82 : 300, 1) << c.song;
      EXPECT_EQ(CreateArrows, c.found ? ArrowsFrom::Music : ArrowsFrom::RandomBeats);
      ASSERT_NE(AnalysedSong(c.song), nullptr) << "kept for the run";
    }
    if (!c.found) continue;
    ClickAt(320, 375);  // Accept
    Sections written = ReadSections(ReadTextFile(std::string("Music/") + c.song + ".tq"));
    ASSERT_FALSE(written.times[Medium].empty());
    for (int t : written.times[Medium]) EXPECT_NEAR(std::fmod(t - CreateDelayMs + 5, 60000 / CreateBpm / 4), 5, 6) << t;
    // Leaving while it listens stops the listening and keeps nothing half done.
    std::filesystem::copy_file("Music/Drums.mp3", "Music/Again.mp3");
    SelectedSong = "Again.mp3";
    Screen = ScreenId::ChartCreate;
    ScreenChanged = true;
    RunChartCreate();
    ScreenChanged = false;
    ClickAt(550, 435);  // Back
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
    EXPECT_FALSE(ChartCreateListening());
    EXPECT_FALSE(SongAnalysing("Again.mp3"));
    EXPECT_EQ(AnalysedSong("Again.mp3"), nullptr);
  }
}

// Up and Down move between the rows, Left and Right step the focused row's
// value; held down, the delay speeds up by 10 and then 100 ms a step.
TEST_F(GeneratorTest, UpAndDownPickARowLeftAndRightStepIt) {
  auto frame = [](int key, KeyState state = KeyState::Pressed) {
    ResetInput(5, 5);
    if (key >= 0) KeyStates[key] = state;
    BeginFocusFrame();
    RunChartCreate();
    EndFocusFrame();
    GameClockMs += 100;
  };
  frame(-1);
  frame(SDLK_DOWN);
  frame(SDLK_DOWN);
  EXPECT_EQ(FocusIndex, 1) << "the second row, the delay";
  frame(SDLK_LEFT);
  frame(SDLK_LEFT);
  frame(SDLK_RIGHT);
  EXPECT_EQ(CreateDelayMs, 3074);
  EXPECT_EQ(CreateBpm, 115);
  // Held 3 s: from 0.4 s 16 steps of 10 ms, from 2 s 101 steps of 100 ms.
  for (int i = 0; i < 30; ++i) frame(SDLK_RIGHT, KeyState::Held);
  EXPECT_EQ(CreateDelayMs, 3074 + 16 * 10 + 101 * 100);
  frame(SDLK_UP);
  frame(SDLK_RIGHT);
  EXPECT_EQ(CreateBpm, 116);
  frame(SDLK_DOWN);
  frame(SDLK_DOWN);
  frame(SDLK_DOWN);  // "Arrows"
  frame(SDLK_DOWN);  // "Accept": Left and Right step nothing
  frame(SDLK_LEFT);
  EXPECT_EQ(CreateBeats, 216);
  EXPECT_EQ(Screen, ScreenId::ChartCreate);
  frame(SDLK_RETURN);
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  ClearFocus();
}

// Right held down on "Accept", then Up onto the beats: the value must not
// jump (216 once became 276 in one frame), then or a minute later.
TEST_F(GeneratorTest, AKeyHeldBeforeItsRowIsFocusedStepsNothing) {
  auto frame = [](int key, bool down) {
    if (key != 0) {
      SDL_Event event{};
      event.type = event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.keysym.sym = static_cast<SDLKey>(key);
      StampEvent(event, ClockTicks());
    }
    UpdateInput();
    BeginFocusFrame();
    RunChartCreate();
    EndFocusFrame();
    GameClockMs += 16;
  };
  frame(0, false);
  FocusIndex = 4;  // "Accept"
  frame(SDLK_RIGHT, true);
  for (int i = 0; i < 100; ++i) frame(0, false);
  for (int i = 0; i < 2; ++i) {  // past "Arrows"
    frame(SDLK_UP, true);
    frame(SDLK_UP, false);
  }
  EXPECT_EQ(FocusIndex, 2) << "the beats";
  for (int i = 0; i < 4000; ++i) frame(0, false);
  EXPECT_EQ(CreateBeats, 216);
  frame(SDLK_RIGHT, false);
  frame(SDLK_RIGHT, true);  // pressed there, it steps
  EXPECT_EQ(CreateBeats, 217);
  ClearFocus();
}

}  // namespace
