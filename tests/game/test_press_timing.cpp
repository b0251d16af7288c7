// Presses judged at their own stamps, and the timing the results show.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "game/play_helpers.h"
#include "game/press_timing.h"

namespace {

// The game clock steps at tick 5000 (song 1010); the step before was at 4984 (song 994).
constexpr uint32_t StepTicks = 5000, FrameStart = 4984;
constexpr int32_t StepSong = 1010;

SDL_Event Key(bool down, int sym) {
  SDL_Event event{};
  event.type = event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.keysym.sym = static_cast<SDLKey>(sym);
  return event;
}

// One play frame whose input carries these stamped key events.
void StampedFrame(const std::vector<std::pair<SDL_Event, uint32_t>>& events, uint32_t runningSince = FrameStart) {
  for (const auto& [event, stamp] : events) StampEvent(event, stamp);
  UpdateInput();
  SongPosition = StepSong - 16;
  LastTicks = StepTicks, ClockRunningSince = runningSince;
  JudgeAt(StepSong);
}

struct StampCase {
  int noteMs;
  uint32_t afterFrameStart;  // the press's stamp, ms after the frame's start
  int rating;                // -1: not judged
  int offsetMs;
};

class StampedPress : public testing::TestWithParam<StampCase> {};

TEST_P(StampedPress, IsJudgedAtItsOwnSongTime) {
  ResetPlay();
  const StampCase& c = GetParam();
  AddNote(0, c.noteMs);
  StampedFrame({{Key(true, SDLK_LEFT), FrameStart + c.afterFrameStart}});
  if (c.rating < 0) {
    EXPECT_TRUE(PressTimings.empty());
    return;
  }
  ASSERT_EQ(PressTimings.size(), 1u);
  EXPECT_EQ(PressTimings[0].offsetMs, c.offsetMs);
  EXPECT_EQ(PressTimings[0].rating, c.rating);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampedPress,
    testing::Values(StampCase{1000, 0, Perfect, -6}, StampCase{1000, 7, Perfect, 1},   // 7 ms later, 7 ms later
                    StampCase{1060, 0, Good, -66}, StampCase{1060, 1, Perfect, -65},   // the PERFECT edge
                    StampCase{1194, 0, -1, 0}, StampCase{1194, 1, Good, -199},         // the reach of a press
                    StampCase{869, 0, Good, 125}, StampCase{869, 1, -1, 0},            // past the miss limit: BOO
                    StampCase{1010, 16, Perfect, 0}));                                 // on the frame's own time

TEST(StampedPressTest, APressAndItsReleaseInOneFrameJudgeAtThePress) {
  ResetPlay();
  AddNote(1, 1000);
  StampedFrame({{Key(true, SDLK_DOWN), FrameStart + 2}, {Key(false, SDLK_DOWN), FrameStart + 9}});
  ASSERT_EQ(PressTimings.size(), 1u);
  EXPECT_EQ(PressTimings[0].offsetMs, -4);
  EXPECT_EQ(PerfectCount, 1);
}

// The pause starts at the Escape press, and the clock stands until it runs again.
TEST(StampedPressTest, APressStampedInThePauseIsNotJudged) {
  struct Case { uint32_t escape, press, runningSince; bool judged; };
  for (const Case& c : {Case{0, 5, FrameStart, true}, Case{6, 5, FrameStart, true}, Case{5, 5, FrameStart, false},
                        Case{3, 5, FrameStart, false}, Case{0, 5, FrameStart + 8, false}}) {
    ResetPlay();
    AddNote(2, 1000);
    std::vector<std::pair<SDL_Event, uint32_t>> events = {{Key(true, SDLK_UP), FrameStart + c.press}};
    if (c.escape != 0) events.push_back({Key(true, SDLK_ESCAPE), FrameStart + c.escape});
    StampedFrame(events, c.runningSince);
    EXPECT_EQ(PerfectCount, c.judged ? 1 : 0) << c.escape << " " << c.press << " " << c.runningSince;
  }
}

// Let go 7 ms into the frame, a hold is fed those 7 ms and no more.
TEST(StampedPressTest, AHoldEndsAtItsReleasesOwnTime) {
  for (uint32_t release : {7u, 16u}) {
    ResetPlay();
    AddNote(3, 1000, 500);
    KeyStates[SDLK_RIGHT] = KeyState::Held;
    ColumnTimer[3] = 1;
    StampedFrame({{Key(false, SDLK_RIGHT), FrameStart + release}});
    ASSERT_EQ(NoteList.size(), 1u);
    EXPECT_EQ(NoteList[0].hold, 500 - static_cast<int>(release));
    EXPECT_EQ(ColumnTimer[3], 0);
  }
  LastTicks = ClockRunningSince = 0;
}

TEST(TimingSummaryTest, MeanAndSpreadInTenths) {
  struct Case { std::vector<int> offsets; const char* mean; const char* spread; };
  for (const Case& c : {Case{{}, "+0.0", "0.0"}, Case{{30, 30, 30}, "+30.0", "0.0"}, Case{{-1, 0}, "-0.5", "0.5"},
                        Case{{10, -10, 4}, "+1.3", "8.4"}, Case{{0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                                 "+0.0", "0.2"}}) {
    std::vector<PressTiming> presses;
    for (int offset : c.offsets) presses.push_back({1000, offset, Perfect});
    TimingSummary summary = SummariseTiming(presses);
    EXPECT_EQ(SignedTenths(summary.meanMs), c.mean);
    EXPECT_EQ(Tenths(summary.spreadMs), c.spread);
    EXPECT_EQ(summary.presses, static_cast<int>(c.offsets.size()));
  }
}

// The offer after a play, and its sign: the same presses judged with the
// offset adjusted by it have the mean less the adjustment.
TEST(TimingSummaryTest, OffsetAdjustmentTakesTheMeanAway) {
  struct Case { int presses, late, wobble; std::optional<int> offered; };
  for (const Case& c : {Case{20, 14, 3, 14}, Case{20, -9, 0, -9}, Case{19, 14, 3, {}}, Case{30, 4, 2, {}},
                        Case{30, 40, 45, {}}, Case{26, 30, 39, 30}}) {
    auto play = [&](int offsetMs) {
      ResetPlay();
      AudioOffsetMs = offsetMs;
      for (int i = 0; i < c.presses; ++i) {
        AddNote(0, 1000 + 500 * i);
        KeyStates[ColumnKeys[0]] = KeyState::Pressed;
        JudgeAt(1000 + 500 * i + c.late + (i % 2 != 0 ? c.wobble : -c.wobble));
        KeyStates[ColumnKeys[0]] = KeyState::Up;
        JudgeAt(1200 + 500 * i);
      }
      return SummariseTiming(PressTimings);
    };
    TimingSummary first = play(0);
    std::optional<int> offered = OffsetAdjustment(first);
    EXPECT_EQ(offered, c.offered) << c.presses << " presses " << c.late << " ms late";
    if (offered) {
      EXPECT_NEAR(play(*offered).meanMs, first.meanMs - *offered, 1e-9);
    }
  }
  AudioOffsetMs = 0;
}

}  // namespace
