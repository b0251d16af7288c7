// The results screen.
#include "screens/results.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "charts/chart_on_demand.h"
#include "charts/clamp.h"
#include "charts/library.h"
#include "charts/song_labels.h"
#include "charts/score_file.h"
#include "game/mines_rolls.h"
#include "game/play_state.h"
#include "game/press_timing.h"
#include "kit/font.h"
#include "kit/panels.h"
#include "screens/difficulty_select.h"
#include "screens/offset_adjust.h"
#include "screens/screen_state.h"
#include "screens/timing_picture.h"

namespace {

void DrawRow(int y, const std::string& label, const std::string& value) {
  DrawText(215, y, label, TextAlign::Left);
  DrawText(425, y, value, TextAlign::Right);
}

void DrawResults(int score, int64_t yourPoints, int64_t maxPoints) {
  DrawText(25, 45, SongTitle(SelectedSong), TextAlign::Left);
  if (IsDifficulty(SelectedDifficulty)) DrawText(25, 65, DifficultyWords[SelectedDifficulty], TextAlign::Left);
  DrawRow(95, "BOO", std::to_string(BooCount));
  DrawRow(115, "GOOD", std::to_string(GoodCount));
  DrawRow(135, "PERFECT", std::to_string(PerfectCount));
  DrawRow(155, "LONGEST COMBO", std::to_string(LongestCombo));
  DrawRow(185, "YOUR POINTS", std::to_string(yourPoints));
  DrawRow(205, "MAX POINTS", std::to_string(maxPoints));
  DrawRow(235, "SCORE", std::to_string(score) + "%");
  DrawRow(255, "HIGH SCORE", PreviousBest == NeverPlayed ? "-" : std::to_string(PreviousBest) + "%");
  if (NewBest) DrawText(440, 255, "NEW BEST", TextAlign::Left);
  if (ChartMines > 0) {  // under the timing figures, for a chart with mines
    DrawText(450, 135, "MINES HIT", TextAlign::Left);
    DrawText(615, 135, std::to_string(MinesHit), TextAlign::Right);
  }
}

// A line of its own under the results, for what the player must know: its
// middle on y 410, clear of the picture above and of "Back" below.
void DrawNotice(const std::string& line) { DrawText(320, 400, line, TextAlign::Centre); }

}  // namespace

void RunResults() {
  int64_t maxPoints = MaxPoints();
  int64_t yourPoints = YourPoints();
  int score = ScorePercent(yourPoints, maxPoints);
  TimingSummary timing = SummariseTiming(PressTimings);
  const bool entered = ScreenChanged;
  if (ScreenChanged) {
    RecordBest(score);
    std::printf("%s\n", PlayLine(score, timing).c_str());
    std::fflush(stdout);  // for the terminal or the script that started the game
  }
  DrawResults(score, yourPoints, maxPoints);
  DrawTimingFigures(timing);
  DrawTimingPicture(PressTimings);
  DrawNotice(ResultsNotice);
  RunOffsetAdjust(timing, entered);
  if (Button(Box{330, 430, 120, 10}, "Play again")) Screen = ScreenId::SongStart;
  if (BackButton()) Screen = ScreenId::DifficultySelect;
  FocusPlayedChart = Screen == ScreenId::DifficultySelect;
}

std::string PlayLine(int score, const TimingSummary& timing) {
  std::string difficulty = IsDifficulty(SelectedDifficulty) ? DifficultyWords[SelectedDifficulty] : "";
  return "Zedov: \"" + SongTitle(SelectedSong) + "\" " + difficulty + ": " + std::to_string(score) + "%, " +
         std::to_string(PerfectCount) + " perfect, " + std::to_string(GoodCount) + " good, " +
         std::to_string(BooCount) + " boo; timing mean " + SignedTenths(timing.meanMs) + " ms, sd " +
         Tenths(timing.spreadMs) + " ms over " + std::to_string(timing.presses) + " presses";
}

int64_t MaxPoints() { return (int64_t{BooCount} + GoodCount + PerfectCount) * 11; }

int64_t YourPoints() {
  int64_t points = int64_t{GoodCount} * 7 + int64_t{PerfectCount} * 10 + LongestCombo - int64_t{MinesHit} * MinePenalty;
  return std::max<int64_t>(points, 0);
}

int ScorePercent(int64_t yourPoints, int64_t maxPoints) {
  if (maxPoints <= 0) return 0;
  return TruncateToInt32(static_cast<double>(yourPoints) / static_cast<double>(maxPoints) * 100.0);
}

void RecordBest(int score) {
  PreviousBest = NeverPlayed;
  NewBest = false;
  ResultsNotice.clear();
  if (!IsDifficulty(SelectedDifficulty)) return;
  PreviousBest = BestScores[SelectedDifficulty];
  if (std::string lost = WhyScoreIsNotKept(SelectedSong); !lost.empty()) {
    ResultsNotice = "score not kept: " + lost;
    return;
  }
  if (score > PreviousBest) BestScores[SelectedDifficulty] = score;
  NewBest = score > PreviousBest && score > 0;  // a first 0 % is kept, not celebrated
  std::string why;
  if (WriteScoreFile(ScorePath(SelectedSong), BestScores, why)) return;  // every time, raised or not
  BestScores[SelectedDifficulty] = PreviousBest;  // a best that was not kept is never shown
  NewBest = false;
  ResultsNotice = "could not save the best score: " + why;
}
