// The judgement: the song clock, taps, holds and misses, frame by frame.
#include <gtest/gtest.h>

#include <vector>

#include "game/play_helpers.h"

namespace {

constexpr const int (&Keys)[4] = ColumnKeys;  // left, down, up, right

// A frame of the song at t with the keys of the masks (bit = column) down.
struct Frame {
  int t, pressed, held;
};

struct Scenario {
  std::vector<Note> notes;
  std::vector<Frame> frames;
  int perfect, good, boo, combo;
  std::vector<int> timesLeft;  // the notes still in the list
  int comboBefore = 0;
};

class Judging : public testing::TestWithParam<Scenario> {};

TEST_P(Judging, CountsAndLeavesTheRest) {
  ResetPlay();
  const Scenario& s = GetParam();
  Combo = s.comboBefore;
  for (const Note& note : s.notes) NoteList.push_back(note);
  for (const Frame& f : s.frames) {
    for (int c = 0; c < 4; ++c) KeyStates[Keys[c]] = (f.pressed >> c & 1) ? KeyState::Pressed : (f.held >> c & 1) ? KeyState::Held : KeyState::Up;
    JudgeAt(f.t);
  }
  EXPECT_EQ(PerfectCount, s.perfect);
  EXPECT_EQ(GoodCount, s.good);
  EXPECT_EQ(BooCount, s.boo);
  EXPECT_EQ(Combo, s.combo);
  EXPECT_EQ(PopupList.size(), s.perfect + s.good + s.boo > 0 ? 1u : 0u);  // the newest word only
  std::vector<int> left;
  for (const Note& note : NoteList) left.push_back(note.time);
  EXPECT_EQ(left, s.timesLeft);
}

constexpr int L = 1, D = 2, U = 4, R = 8, All = 15;

INSTANTIATE_TEST_SUITE_P(
    Cases, Judging,
    testing::Values(
        // One press on a tap due at 1000: 65, 66, 199, 200 early; 65, 100, 125, 126 late.
        Scenario{{{0, 1000, 0}}, {{935, L, 0}}, 1, 0, 0, 1, {}}, Scenario{{{0, 1000, 0}}, {{934, L, 0}}, 0, 1, 0, 1, {}},
        Scenario{{{0, 1000, 0}}, {{801, L, 0}}, 0, 1, 0, 1, {}},
        Scenario{{{0, 1000, 0}}, {{800, L, 0}}, 0, 0, 0, 0, {1000}},
        Scenario{{{0, 1000, 0}}, {{1065, L, 0}}, 1, 0, 0, 1, {}},
        Scenario{{{0, 1000, 0}}, {{1100, L, 0}}, 0, 1, 0, 1, {}},
        Scenario{{{0, 1000, 0}}, {{1125, L, 0}}, 0, 1, 0, 1, {}},
        Scenario{{{0, 1000, 0}}, {{1126, L, 0}}, 0, 0, 1, 0, {}},
        // The first tap in list order is taken; keeping the key down takes no more.
        Scenario{{{1, 1100, 0}, {1, 1000, 0}}, {{1040, D, 0}, {1056, 0, D}, {1072, 0, D}}, 1, 0, 0, 1, {1000}},
        // Four keys in one frame: one note in each column.
        Scenario{{{0, 1000, 0}, {1, 1000, 0}, {2, 1000, 0}, {3, 1000, 0}, {0, 1010, 0}, {1, 1010, 0}},
                 {{1000, All, 0}}, 4, 0, 0, 4, {1010, 1010}},
        // Columns outside the four are never hit or fed, only swept.
        Scenario{{{7, 1000, 0}, {-1, 1000, 500}}, {{1000, All, 0}, {1126, 0, All}}, 0, 0, 2, 0, {}},
        // A miss and a PERFECT in one frame.
        Scenario{{{0, 0, 0}, {1, 200, 0}}, {{200, D, 0}}, 1, 0, 1, 1, {}, 5},
        // A standing clock keeps the 125 timer: the press is examined again.
        Scenario{{{0, 750, 0}, {0, 760, 0}}, {{750, L, 0}, {750, 0, L}}, 2, 0, 0, 2, {}},
        // A hold is fed, never judged by a press; a negative one completes when first fed.
        Scenario{{{3, 1000, 400}}, {{990, 0, 0}, {1000, R, 0}}, 0, 0, 0, 0, {1010}},
        Scenario{{{1, 1000, -50}}, {{801, D, 0}}, 1, 0, 0, 1, {}},
        // Released, it stops at 1100 and is one BOO once its head is 126 ms late.
        Scenario{{{0, 1000, 1000}}, {{900, 0, 0}, {1000, L, 0}, {1225, 0, 0}}, 0, 0, 0, 0, {1100}},
        Scenario{{{0, 1000, 1000}}, {{900, 0, 0}, {1000, L, 0}, {1226, 0, 0}}, 0, 0, 1, 0, {}}));

// A 1000 ms hold, key down from about 300 ms before, in 16 ms frames.
TEST(HeldHold, StandsAtY89AndCompletesAsOnePerfect) {
  ResetPlay();
  AddNote(2, 1000, 1000);
  KeyStates[Keys[2]] = KeyState::Pressed;
  int t = 801 - 6 * 16, fed = 0;
  JudgeAt(t);
  KeyStates[Keys[2]] = KeyState::Held;
  for (t += 16; !NoteList.empty() && t < 3000; t += 16) {
    GameClockMs = t;
    AdvanceSongClock();
    if (t >= 801) {
      EXPECT_EQ(NoteY(NoteList[0].time, SongPosition), 89) << t;  // caught at diff 199, and there it stays
    }
    UpdateJudgement();
    fed += NoteList.empty() || NoteList[0].hold < 1000;
  }
  EXPECT_EQ(fed, 63);  // 1000 ms of holding
  EXPECT_EQ(PerfectCount, 1);
}

// Near the ends of the 32-bit range the clock wraps and times saturate.
TEST(HeldHold, ExtremeTimesNeverOverflow) {
  ResetPlay();
  PlayStart = INT32_MIN + 10;
  GameClockMs = INT32_MAX - 200;
  AdvanceSongClock();
  EXPECT_EQ(SongPosition, -211);
  ResetPlay();
  AddNote(0, INT32_MAX, INT32_MAX);
  AddNote(1, INT32_MIN, INT32_MIN);
  KeyStates[Keys[0]] = KeyState::Pressed;
  JudgeAt(INT32_MAX - 150);
  JudgeAt(INT32_MAX - 50);
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, INT32_MAX);
  EXPECT_EQ(BooCount, 1);
}

// The player hears the music AudioOffsetMs late and presses to what they hear.
TEST(AudioOffset, LatePressesArePerfectWithTheOffsetAndNeverWithout) {
  for (int offset : {150, 0}) {
    ResetPlay();
    AudioOffsetMs = offset;
    for (int i = 0; i < 8; ++i) AddNote(i % 4, 1000 + 500 * i);
    SongPosition = -offset;  // as the song start leaves it
    std::vector<Note> song = NoteList;
    for (int ms = 0; ms <= 5000; ms += 10) {
      ResetInput();
      for (const Note& note : song)
        if (ms == note.time + 150) KeyStates[ColumnKeys[note.column]] = KeyState::Pressed;
      JudgeAt(ms);
      EXPECT_EQ(FrameDelta, ms == 0 ? 0 : 10);  // from -offset on, each step is the time that passed
    }
    EXPECT_EQ(PerfectCount, offset == 150 ? 8 : 0) << offset;
    EXPECT_EQ(BooCount, offset == 150 ? 0 : 8) << offset;  // 150 ms late is past the miss limit
  }
  AudioOffsetMs = 0;
}

}  // namespace
