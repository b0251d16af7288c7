// The import screen.
#include "screens/chart_import.h"

#include <set>

#include "charts/library.h"
#include "charts/step_import.h"
#include "charts/step_tags.h"
#include "charts/text.h"
#include "kit/button_list.h"
#include "kit/font.h"
#include "kit/panels.h"
#include "screens/screen_state.h"

namespace {

std::string LowerCase(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

// The step files of Music/ in list order, each labelled with its name without
// the extension. An .sm file beside an .ssc file of the same name is left
// out: StepMania reads the .ssc one.
ListedFiles StepFiles() {
  ListedFiles all = ListFiles(IsStepFileName, 0);
  std::set<std::string> sscNames;
  for (const std::string& name : all.names)
    if (IsSscName(name)) sscNames.insert(LowerCase(name.substr(0, name.size() - 4)));
  ListedFiles shown;
  for (const std::string& name : all.names) {
    int extension = IsSscName(name) ? 4 : 3;
    if (extension == 3 && sscNames.count(LowerCase(name.substr(0, name.size() - 3)))) continue;
    shown.names.push_back(name);
    shown.labels.push_back(DisplayName(name, extension));
  }
  return shown;
}

}  // namespace

void RunChartImport() {
  if (ScreenChanged) {
    ScanMusicFolder();
    ImportNotice.clear();
  }
  ListedFiles files = StepFiles();
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
