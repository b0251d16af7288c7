// The import screen.
#include "screens/chart_import.h"

#include "app/screen_state.h"
#include "charts/library.h"
#include "charts/step_import.h"
#include "kit/button_list.h"
#include "kit/font.h"
#include "kit/panels.h"

void RunChartImport() {
  if (ScreenChanged) {
    ScanMusicFolder();
    ImportNotice.clear();
  }
  ListedFiles files = ListFiles(IsStepFileName, 3);
  int clicked = ButtonList(files.labels, ImportListScroll);
  // The import runs at once, inside the frame of the click. A file that
  // cannot be read or holds no chart leaves the song's chart as it was; a
  // chart that cannot be saved keeps the screen, which says why.
  if (clicked >= 0) {
    std::string why;
    if (ImportStepFile(MusicPath(files.names[clicked]), ChartPath(SelectedSong), why) == ImportResult::CannotWrite)
      ImportNotice = "could not save the chart: " + why;
    else
      Screen = DifficultySelect;
  }
  DrawText(320, 400, ImportNotice, Centre);  // above "Back", as on the results
  if (BackButton()) Screen = DifficultySelect;
}
