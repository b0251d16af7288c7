// The import screen.
#include "screens/chart_import.h"

#include <string>
#include <vector>

#include "app/screen_state.h"
#include "charts/library.h"
#include "charts/step_import.h"
#include "kit/button_list.h"
#include "kit/panels.h"

void RunChartImport() {
  if (ScreenChanged) ScanMusicFolder();
  std::vector<const std::string*> files;
  std::vector<std::string> labels;
  for (const SongEntry& entry : SongList) {
    if (!IsStepFileName(entry.name)) continue;
    files.push_back(&entry.name);
    labels.push_back(DisplayName(entry.name, 3));
  }
  int clicked = ButtonList(labels, ImportListScroll);
  // The import runs at once, inside the frame of the click. A file that
  // cannot be read or holds no chart leaves the song's chart as it was.
  if (clicked >= 0) {
    ImportStepFile(MusicPath(*files[clicked]), ChartPath(SelectedSong));
    Screen = DifficultySelect;
  }
  if (BackButton()) Screen = DifficultySelect;
}
