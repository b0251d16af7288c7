// The difficulty select.
#include "screens/difficulty_select.h"

#include <string>

#include "charts/chart_file.h"
#include "charts/chart_on_demand.h"
#include "charts/library.h"
#include "charts/song_labels.h"
#include "charts/score_file.h"
#include "kit/font.h"
#include "kit/panels.h"
#include "screens/screen_state.h"

namespace {

void DrawDifficultyRow(int d, int y) {
  if (Button(Centred(320, y, 600, 10), "")) {
    SelectedDifficulty = d;
    Screen = SongStart;
  }
  DrawText(75, y - 10, std::string("play ") + DifficultyWords[d], Left);
  DrawText(565, y - 10, std::to_string(BestScores[d]) + "%", Right);
}

}  // namespace

void RunDifficultySelect() {
  DrawText(25, 45, SongTitle(SelectedSong), Left);
  if (ScreenChanged) {
    PrepareSongChart(SelectedSong);  // a song folder's step file becomes its chart here
    ReadSongDifficulties(SelectedSong, ChartHasDifficulty);
    ReadBestScores(ScorePath(SelectedSong), BestScores);
  }
  int y = 55;
  bool anyRow = false;
  for (int d = 0; d < DifficultyCount; ++d) {
    if (!ChartHasDifficulty[d]) continue;
    y += 40;
    anyRow = true;
    DrawDifficultyRow(d, y);
  }
  if (anyRow) y += 40;  // a gap between the rows and the chart buttons
  if (Button(Centred(320, y + 40, 600, 10), "create new step chart")) Screen = ChartCreate;
  if (Button(Centred(320, y + 80, 600, 10), "import step chart")) Screen = ChartImport;
  if (BackButton()) Screen = SongSelect;
}
