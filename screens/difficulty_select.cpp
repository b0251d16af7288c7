// The difficulty select.
#include "screens/difficulty_select.h"

#include <array>
#include <string>

#include "charts/chart_file.h"
#include "charts/chart_meter.h"
#include "charts/chart_on_demand.h"
#include "charts/library.h"
#include "charts/song_labels.h"
#include "charts/score_file.h"
#include "game/song_start.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/panels.h"
#include "screens/screen_state.h"

namespace {

constexpr size_t LineLength = 54;  // characters that fit on a line across the window

std::array<ChartMeter, DifficultyCount> Meters;  // of the song's charts, read on entry

// A difficulty's row, its focus identity the difficulty's name; true when chosen.
bool DifficultyRow(int d, int y) {
  bool chosen = Button(Centred(320, y, 600, 10), "", FocusIdOf(DifficultyWords[d]));
  std::string meter = MeterLabel(Meters[d]);
  DrawText(75, y - 10, std::string("play ") + DifficultyWords[d] + (meter.empty() ? "" : " " + meter), TextAlign::Left);
  DrawText(565, y - 10, BestScoreLabel(d), TextAlign::Right);
  return chosen;
}

// "cannot play <file>: <reason>" above the title, broken at a space onto a
// second line when long.
void DrawMusicProblem() {
  size_t cut = MusicProblem.size() <= LineLength ? MusicProblem.size() : MusicProblem.rfind(' ', LineLength);
  if (cut == std::string::npos || cut == 0) cut = LineLength;
  DrawText(14, 5, MusicProblem.substr(0, cut), TextAlign::Left);
  if (cut < MusicProblem.size()) DrawText(14, 24, MusicProblem.substr(cut + (MusicProblem[cut] == ' '), LineLength), TextAlign::Left);
}

}  // namespace

std::string BestScoreLabel(int difficulty) {
  const int best = BestScores[difficulty];
  return best == NeverPlayed ? "" : std::to_string(best) + "%";
}

void RunDifficultySelect() {
  DrawText(25, 45, SongTitle(SelectedSong), TextAlign::Left);
  if (ScreenChanged) {
    PrepareSongChart(SelectedSong);  // a song folder's step file becomes its chart here
    Meters = ChartMeters(SelectedSong, ChartHasDifficulty);  // one reading of a chart of any size
    ReadBestScores(ScorePath(SelectedSong), BestScores);
    // The keys go on from the chart just played; drawn once the player uses them.
    if (FocusPlayedChart && IsDifficulty(SelectedDifficulty) && ChartHasDifficulty[SelectedDifficulty])
      FocusOn(FocusIdOf(DifficultyWords[SelectedDifficulty]));
    FocusPlayedChart = false;
  }
  if (!MusicProblem.empty()) DrawMusicProblem();
  int y = 55;
  bool anyRow = false;
  for (int d = 0; d < DifficultyCount; ++d) {
    if (!ChartHasDifficulty[d]) continue;
    y += 40;
    anyRow = true;
    if (DifficultyRow(d, y)) SelectedDifficulty = d, Screen = ScreenId::SongStart;
  }
  if (anyRow) y += 40;  // a gap between the rows and the chart buttons
  if (Button(Centred(320, y + 40, 600, 10), "create new step chart")) Screen = ScreenId::ChartCreate;
  if (Button(Centred(320, y + 80, 600, 10), "import step chart")) Screen = ScreenId::ChartImport;
  if (BackButton()) Screen = ScreenId::SongSelect;
  if (Screen != ScreenId::DifficultySelect) MusicProblem.clear();  // said once, for the song it was about
}
