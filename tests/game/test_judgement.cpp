#include <gtest/gtest.h>

#include "game/play_helpers.h"

namespace {

constexpr int Left = 276, Down = 274, UpKey = 273, Right = 275;

struct Judgement : testing::Test {
  void SetUp() override { ResetPlay(); }
};

// One press of the left key at songMs on a tap due at 1000.
struct PressCase {
  int songMs, perfect, good, boo;
};

class TapTiming : public Judgement, public testing::WithParamInterface<PressCase> {};

TEST_P(TapTiming, OnePressJudgesByItsDistance) {
  AddNote(0, 1000);
  KeyStates[Left] = Pressed;
  JudgeAt(GetParam().songMs);
  EXPECT_EQ(PerfectCount, GetParam().perfect);
  EXPECT_EQ(GoodCount, GetParam().good);
  EXPECT_EQ(BooCount, GetParam().boo);
  EXPECT_EQ(NoteList.size() + PopupList.size(), 1u);  // judged or still waiting
}

// 65, 66, 199 and 200 early; 65, 100, 125 and 126 late (the sweep comes first).
INSTANTIATE_TEST_SUITE_P(EarlyAndLate, TapTiming,
                         testing::Values(PressCase{935, 1, 0, 0}, PressCase{934, 0, 1, 0},
                                         PressCase{801, 0, 1, 0}, PressCase{800, 0, 0, 0},
                                         PressCase{1065, 1, 0, 0}, PressCase{1100, 0, 1, 0},
                                         PressCase{1125, 0, 1, 0}, PressCase{1126, 0, 0, 1}));

TEST_F(Judgement, PressTakesTheFirstNoteInListOrderAndHoldingTakesNoMore) {
  AddNote(1, 1100);  // appended first, though due later
  AddNote(1, 1000);
  KeyStates[Down] = Pressed;
  JudgeAt(1040);
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, 1000);
  KeyStates[Down] = Held;
  JudgeAt(1056);
  EXPECT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(ColumnTimer[1], 109);
}

TEST_F(Judgement, FourKeysInOneFrameJudgeOneNoteEach) {
  for (int c : {0, 1, 2, 3, 0, 1, 2, 3}) AddNote(c, NoteList.size() < 4 ? 1000 : 1010);
  for (int key : {Left, Down, UpKey, Right}) KeyStates[key] = Pressed;
  JudgeAt(1000);
  EXPECT_EQ(PerfectCount, 4);
  for (const Note& note : NoteList) EXPECT_EQ(note.time, 1010);
}

TEST_F(Judgement, ColumnsOutsideTheFourAreOnlySwept) {
  AddNote(7, 1000);
  AddNote(-1, 1000, 500);
  for (int key : {Left, Down, UpKey, Right}) KeyStates[key] = Pressed;
  JudgeAt(1000);
  EXPECT_EQ(NoteList.size(), 2u);
  EXPECT_EQ(NoteList[1].hold, 500);  // not fed
  JudgeAt(1126);
  EXPECT_EQ(BooCount, 2);
}

TEST_F(Judgement, MissAndPerfectInOneFrameLeaveComboOne) {
  Combo = 5;
  AddNote(0, 0);
  AddNote(1, 200);
  KeyStates[Down] = Pressed;
  JudgeAt(200);
  EXPECT_EQ(BooCount + PerfectCount, 2);
  EXPECT_EQ(Combo, 1);
  EXPECT_EQ(PopupList[1].rating, Perfect);
  EXPECT_EQ(PopupList[1].x + PopupList[1].y, 258 + 50);
}

TEST_F(Judgement, StandingClockKeepsThePressForTheNextFrame) {
  AddNote(0, 750);
  AddNote(0, 760);
  KeyStates[Left] = Pressed;
  JudgeAt(750);
  KeyStates[Left] = Held;
  JudgeAt(750);
  EXPECT_EQ(ColumnTimer[0], 125);
  EXPECT_EQ(PerfectCount, 2);
}

// A 1000 ms hold, key down from about 300 ms before, in 16 ms frames.
TEST_F(Judgement, HeldHoldStandsAtY89AndCompletesAsOnePerfect) {
  AddNote(2, 1000, 1000);
  KeyStates[UpKey] = Pressed;
  int t = 801 - 6 * 16, fed = 0;
  JudgeAt(t);
  KeyStates[UpKey] = Held;
  for (t += 16; !NoteList.empty() && t < 3000; t += 16) {
    GameClockMs = t;
    AdvanceSongClock();
    if (t >= 801) {
      EXPECT_EQ(NoteHeight(NoteList[0]), 89) << t;  // caught at diff 199, and there it stays
    }
    UpdateJudgement();
    fed += NoteList.empty() || NoteList[0].hold < 1000;
  }
  EXPECT_EQ(fed, 63);  // 1000 ms of holding
  EXPECT_EQ(PerfectCount, 1);
  EXPECT_EQ(PopupList.size(), 1u);
}

TEST_F(Judgement, ReleasedHoldBecomesOneBooWhenItsHeadIsLate) {
  AddNote(0, 1000, 1000);
  JudgeAt(900);
  KeyStates[Left] = Pressed;
  JudgeAt(1000);
  EXPECT_EQ(NoteList[0].time, 1100);  // fed: its head moves with the song
  KeyStates[Left] = Up;
  JudgeAt(1225);  // the press timer has run out: no feeding, and not yet a miss
  EXPECT_EQ(NoteList[0].time, 1100);
  EXPECT_EQ(BooCount, 0);
  JudgeAt(1226);
  EXPECT_EQ(BooCount, 1);
  EXPECT_EQ(PopupList.size(), 1u);
}

TEST_F(Judgement, NegativeHoldCompletesWhenFirstFed) {
  AddNote(1, 1000, -50);
  KeyStates[Down] = Pressed;
  JudgeAt(801);
  EXPECT_EQ(PerfectCount, 1);
}

// Near the ends of the 32-bit range the clock wraps and times saturate.
TEST_F(Judgement, ExtremeTimesNeverOverflow) {
  PlayStart = INT32_MIN + 10;
  GameClockMs = INT32_MAX - 200;
  AdvanceSongClock();
  EXPECT_EQ(SongPosition, -211);
  ResetPlay();
  AddNote(0, INT32_MAX, INT32_MAX);
  AddNote(1, INT32_MIN, INT32_MIN);
  KeyStates[Left] = Pressed;
  JudgeAt(INT32_MAX - 150);
  JudgeAt(INT32_MAX - 50);
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, INT32_MAX);
  EXPECT_EQ(BooCount, 1);
}

}  // namespace
