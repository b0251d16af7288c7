// The import screen.
#include "screens/chart_import.h"

#include "app/screen_state.h"
#include "charts/library.h"
#include "charts/step_import.h"
#include "kit/button_list.h"
#include "kit/panels.h"

void RunChartImport() {
  if (ScreenChanged) ScanMusicFolder();
  ListedFiles files = ListFiles(IsStepFileName, 3);
  int clicked = ButtonList(files.labels, ImportListScroll);
  // The import runs at once, inside the frame of the click. A file that
  // cannot be read or holds no chart leaves the song's chart as it was.
  if (clicked >= 0) {
    ImportStepFile(MusicPath(files.names[clicked]), ChartPath(SelectedSong));
    Screen = DifficultySelect;
  }
  if (BackButton()) Screen = DifficultySelect;
}
