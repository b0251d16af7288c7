#include <gtest/gtest.h>

#include "game/play_helpers.h"

namespace {

constexpr int Left = 276, Down = 274, UpKey = 273, Right = 275;

struct Judgement : testing::Test {
  void SetUp() override { ResetPlay(); }
};

// The result of one press of the left key at songMs on a tap due at 1000.
struct PressCase {
  int songMs;
  int perfect, good, boo;
  size_t notesLeft;
};

class TapTiming : public Judgement, public testing::WithParamInterface<PressCase> {};

TEST_P(TapTiming, OnePressJudgesByItsDistance) {
  const PressCase& c = GetParam();
  AddNote(0, 1000);
  JudgeAt(0);
  KeyStates[Left] = Pressed;
  JudgeAt(c.songMs);
  EXPECT_EQ(PerfectCount, c.perfect);
  EXPECT_EQ(GoodCount, c.good);
  EXPECT_EQ(BooCount, c.boo);
  EXPECT_EQ(NoteList.size(), c.notesLeft);
  EXPECT_EQ(Combo, c.perfect + c.good);
}

INSTANTIATE_TEST_SUITE_P(EarlyAndLate, TapTiming,
                         testing::Values(PressCase{935, 1, 0, 0, 0},    // 65 early
                                         PressCase{934, 0, 1, 0, 0},    // 66 early
                                         PressCase{801, 0, 1, 0, 0},    // 199 early
                                         PressCase{800, 0, 0, 0, 1},    // 200 early: nothing
                                         PressCase{1000, 1, 0, 0, 0},   // on time
                                         PressCase{1065, 1, 0, 0, 0},   // 65 late
                                         PressCase{1100, 0, 1, 0, 0},   // 100 late
                                         PressCase{1125, 0, 1, 0, 0},   // 125 late: still there
                                         PressCase{1126, 0, 0, 1, 0}));  // 126 late: swept first

TEST_F(Judgement, JudgedNoteLeavesTheListAndLeavesAPopup) {
  AddNote(0, 500);
  AddNote(1, 600);
  JudgeNote(0, Good);
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, 600);
  ASSERT_EQ(PopupList.size(), 1u);
  EXPECT_EQ(PopupList[0].x, 258);
  EXPECT_EQ(PopupList[0].y, 50);
  EXPECT_EQ(PopupList[0].rating, Good);
  EXPECT_EQ(GoodCount, 0);  // the counters are the caller's
}

TEST_F(Judgement, OnePressTakesTheFirstNoteInListOrder) {
  AddNote(1, 1100);  // appended first, though due later
  AddNote(1, 1000);
  KeyStates[Down] = Pressed;
  JudgeAt(1040);  // 60 before the first, 40 after the second
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, 1000);
  EXPECT_EQ(PerfectCount, 1);
}

TEST_F(Judgement, KeepingAKeyDownJudgesNothingMore) {
  AddNote(1, 1000);
  AddNote(1, 1100);
  KeyStates[Down] = Pressed;
  JudgeAt(1050);
  EXPECT_EQ(NoteList.size(), 1u);
  KeyStates[Down] = Held;
  for (int t = 1066; t <= 1120; t += 16) JudgeAt(t);
  EXPECT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(PerfectCount, 1);
  KeyStates[Down] = Pressed;  // the next press takes the later note
  JudgeAt(1130);
  EXPECT_TRUE(NoteList.empty());
  EXPECT_EQ(PerfectCount, 2);
  EXPECT_EQ(Combo, 2);
}

TEST_F(Judgement, FourKeysInOneFrameJudgeOneNoteEach) {
  for (int c = 0; c < 4; ++c) {
    AddNote(c, 1000);
    AddNote(c, 1010);
  }
  for (int key : {Left, Down, UpKey, Right}) KeyStates[key] = Pressed;
  JudgeAt(1000);
  EXPECT_EQ(PerfectCount, 4);
  ASSERT_EQ(NoteList.size(), 4u);
  for (const Note& note : NoteList) EXPECT_EQ(note.time, 1010);
}

TEST_F(Judgement, PressWithNothingInReachChangesNothing) {
  AddNote(2, 1000);
  Combo = 4;
  KeyStates[UpKey] = Pressed;
  JudgeAt(500);
  EXPECT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(Combo, 4);
  EXPECT_TRUE(PopupList.empty());
}

TEST_F(Judgement, ColumnsOutsideTheFourAreNeverHitOnlySwept) {
  AddNote(7, 1000);
  AddNote(-1, 1000, 500);
  AddNote(1000000, 1000);
  for (int key : {Left, Down, UpKey, Right}) KeyStates[key] = Pressed;
  JudgeAt(1000);
  for (int key : {Left, Down, UpKey, Right}) KeyStates[key] = Held;
  JudgeAt(1100);
  EXPECT_EQ(NoteList.size(), 3u);
  EXPECT_EQ(NoteList[1].hold, 500);  // not fed
  JudgeAt(1126);
  EXPECT_TRUE(NoteList.empty());
  EXPECT_EQ(BooCount, 3);
  EXPECT_EQ(PerfectCount + GoodCount, 0);
}

TEST_F(Judgement, MissAndPerfectInOneFrameLeaveComboOne) {
  Combo = 5;
  AddNote(0, 0);
  AddNote(1, 200);
  KeyStates[Down] = Pressed;
  JudgeAt(200);
  EXPECT_EQ(BooCount, 1);
  EXPECT_EQ(PerfectCount, 1);
  EXPECT_EQ(Combo, 1);
  ASSERT_EQ(PopupList.size(), 2u);
  EXPECT_EQ(PopupList[0].rating, Boo);
  EXPECT_EQ(PopupList[1].rating, Perfect);
}

TEST_F(Judgement, SweepTakesEveryLateNoteWhateverItsOrder) {
  AddNote(0, 100);
  AddNote(1, 5000);
  AddNote(2, 50, 3000);  // holds are swept alike
  AddNote(3, 120);
  JudgeAt(300);
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, 5000);
  EXPECT_EQ(BooCount, 3);
  EXPECT_EQ(PopupList.size(), 3u);
}

// Timer values: 125 on the press, counting down by the frame's step, 1 while
// still held, 0 once released.
TEST_F(Judgement, ColumnTimerFollowsPressHoldAndRelease) {
  KeyStates[Right] = Pressed;
  JudgeAt(16);
  EXPECT_EQ(ColumnTimer[3], 125);
  KeyStates[Right] = Held;
  JudgeAt(32);
  EXPECT_EQ(ColumnTimer[3], 109);
  for (int t = 48; t <= 160; t += 16) JudgeAt(t);
  EXPECT_EQ(ColumnTimer[3], 1);  // 125 - 128 is below 0, and the key is down
  KeyStates[Right] = Up;
  JudgeAt(176);
  EXPECT_EQ(ColumnTimer[3], 0);
  EXPECT_EQ(ColumnTimer[0], 0);
}

TEST_F(Judgement, QuickTapCountsAsHeldWhileItsTimerRuns) {
  KeyStates[Left] = Pressed;
  JudgeAt(100);
  KeyStates[Left] = Up;
  AddNote(0, 400, 300);
  JudgeAt(216);  // timer 9, hold 184 ahead: fed
  EXPECT_EQ(NoteList[0].hold, 300 - 116);
  JudgeAt(232);  // timer spent
  EXPECT_EQ(NoteList[0].hold, 300 - 116);
}

TEST_F(Judgement, StandingClockKeepsAPressForTheNextFrame) {
  AddNote(0, 750);
  AddNote(0, 760);
  JudgeAt(740);
  KeyStates[Left] = Pressed;
  JudgeAt(750);
  EXPECT_EQ(NoteList.size(), 1u);
  KeyStates[Left] = Held;
  JudgeAt(750);  // FrameDelta 0
  EXPECT_EQ(FrameDelta, 0);
  EXPECT_EQ(ColumnTimer[0], 125);
  EXPECT_TRUE(NoteList.empty());  // the press was examined again
  EXPECT_EQ(PerfectCount, 2);
}

// A 1000 ms hold with its key down from about 300 ms before, in 16 ms frames
// that bring its diff to exactly 199.
TEST_F(Judgement, HeldHoldStandsStillAndCompletesAsOnePerfect) {
  AddNote(2, 1000, 1000);
  int t = 801 - 6 * 16;
  KeyStates[UpKey] = Pressed;
  JudgeAt(t);
  KeyStates[UpKey] = Held;
  for (t += 16; t < 801; t += 16) JudgeAt(t);
  EXPECT_EQ(NoteList[0].hold, 1000);  // not yet within reach
  int fed = 0;
  for (; !NoteList.empty() && t < 3000; t += 16, ++fed) {
    GameClockMs = PlayStart + t;
    AdvanceSongClock();
    EXPECT_EQ(NoteDiff(NoteList[0]), 199);
    EXPECT_EQ(NoteHeight(NoteList[0]), 89);
    UpdateJudgement();
    EXPECT_EQ(PerfectCount + BooCount, NoteList.empty() ? 1 : 0);
  }
  EXPECT_EQ(fed, 63);  // 1000 ms of holding in 16 ms steps
  EXPECT_EQ(PerfectCount, 1);
  EXPECT_EQ(Combo, 1);
  ASSERT_EQ(PopupList.size(), 1u);
  EXPECT_EQ(PopupList[0].rating, Perfect);
}

TEST_F(Judgement, ReleasedHoldBecomesOneBoo) {
  AddNote(0, 1000, 1000);
  KeyStates[Left] = Pressed;
  int t = 800;
  JudgeAt(t);
  KeyStates[Left] = Held;
  for (t += 16; t < 1300; t += 16) JudgeAt(t);
  int fedTo = NoteList[0].time;
  EXPECT_LT(NoteList[0].hold, 1000);
  KeyStates[Left] = Up;
  for (; !NoteList.empty() && t < 5000; t += 16) JudgeAt(t);
  EXPECT_GT(t - 16, fedTo + 125);  // swept only once its head was 126 ms late
  EXPECT_EQ(BooCount, 1);
  EXPECT_EQ(PerfectCount + GoodCount, 0);
  EXPECT_EQ(Combo, 0);
  EXPECT_EQ(PopupList.size(), 1u);
}

TEST_F(Judgement, HoldsAreNeverJudgedByAPress) {
  AddNote(3, 1000, 400);
  JudgeAt(990);
  KeyStates[Right] = Pressed;
  JudgeAt(1000);
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].hold, 390);  // fed instead
  EXPECT_EQ(PerfectCount + GoodCount, 0);
  EXPECT_TRUE(PopupList.empty());
}

TEST_F(Judgement, NegativeHoldCompletesWhenFirstFed) {
  AddNote(1, 1000, -50);
  KeyStates[Down] = Pressed;
  JudgeAt(900);
  EXPECT_TRUE(NoteList.empty());
  EXPECT_EQ(PerfectCount, 1);
}

TEST_F(Judgement, EveryHoldOfAHeldColumnInReachIsFed) {
  AddNote(3, 1000, 500);
  AddNote(3, 1100, 500);
  AddNote(2, 1000, 500);
  JudgeAt(984);
  KeyStates[Right] = Pressed;
  JudgeAt(1000);
  EXPECT_EQ(NoteList[0].hold, 484);
  EXPECT_EQ(NoteList[0].time, 1016);
  EXPECT_EQ(NoteList[1].hold, 484);
  EXPECT_EQ(NoteList[2].hold, 500);  // its column is up
}

TEST_F(Judgement, ClockStepsFromPlayStart) {
  PlayStart = 5000;
  GameClockMs = 5016;
  AdvanceSongClock();
  EXPECT_EQ(SongPosition, 16);
  EXPECT_EQ(FrameDelta, 16);
  GameClockMs = 5040;
  AdvanceSongClock();
  EXPECT_EQ(SongPosition, 40);
  EXPECT_EQ(FrameDelta, 24);
}

// Times near the ends of the 32-bit range: the arithmetic saturates or wraps,
// never overflows, and such notes are judged like any other.
TEST_F(Judgement, ExtremeTimesAndHoldsStayInRange) {
  PlayStart = INT32_MIN + 10;
  GameClockMs = INT32_MAX - 200;
  AdvanceSongClock();
  EXPECT_EQ(SongPosition, -211);  // wrapped, not undefined
  ResetPlay();
  AddNote(0, INT32_MAX, INT32_MAX);
  AddNote(1, INT32_MIN, 0);
  AddNote(2, 1000, INT32_MIN);
  JudgeAt(0);
  EXPECT_EQ(BooCount, 1);  // the note due at INT32_MIN
  EXPECT_EQ(NoteHeight(NoteList[0]), 50 + static_cast<int64_t>(INT32_MAX / 5.0));
  KeyStates[UpKey] = Pressed;
  JudgeAt(900);
  EXPECT_EQ(PerfectCount, 1);  // the hold of INT32_MIN completes at once
  PlayStart = 0;
  GameClockMs = INT32_MAX - 150;  // the song position comes near INT32_MAX
  KeyStates[Left] = Pressed;
  AdvanceSongClock();
  UpdateJudgement();
  GameClockMs += 100;
  AdvanceSongClock();
  UpdateJudgement();
  ASSERT_EQ(NoteList.size(), 1u);
  EXPECT_EQ(NoteList[0].time, INT32_MAX);  // saturated
}

}  // namespace
