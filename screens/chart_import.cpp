// The import screen.
#include "screens/chart_import.h"

#include <set>
#include <string>

#include "charts/inside_music.h"
#include "charts/library.h"
#include "charts/score_file.h"
#include "charts/song_labels.h"
#include "charts/step_import.h"
#include "charts/step_tags.h"
#include "charts/text.h"
#include "kit/button_list.h"
#include "kit/font.h"
#include "kit/panels.h"
#include "screens/replace_prompt.h"
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

constexpr size_t HeadingLength = 56;  // characters that fit in the heading's line

std::string StepFileToImport;  // the file last clicked
bool AskingToReplace = false;  // the song has a chart: until the player answers for StepFileToImport

// The import runs at once, inside the frame of the click. A file that cannot
// be read or holds no chart leaves the song's chart, and its bests, as they
// were; a chart that cannot be saved keeps the screen, which says why.
void Import(const std::string& stepFile) {
  if (SongFolderOutsideMusic(SelectedSong)) {
    ImportNotice = OutsideMusicLine;
    return;
  }
  std::string why;
  ImportResult result = ImportStepFile(MusicPath(stepFile), ChartPath(SelectedSong), why);
  if (result == ImportResult::CannotWrite) {
    ImportNotice = "could not save the chart: " + why;
    return;
  }
  if (result == ImportResult::Written) RetireScoreFile(ScorePath(SelectedSong));
  Screen = DifficultySelect;
}

void ListStepFiles() {
  DrawText(14, 8, ("Import a step chart for " + SongTitle(SelectedSong)).substr(0, HeadingLength), Left);
  ListedFiles files = StepFiles();
  int clicked = ButtonList(files.labels, ImportListScroll);
  if (clicked < 0) return;
  StepFileToImport = files.names[clicked];
  WriteOrAsk(AskingToReplace, [] { Import(StepFileToImport); });
}

}  // namespace

void RunChartImport() {
  if (ScreenChanged) {
    ScanMusicFolder();
    AskingToReplace = false;
    ImportNotice.clear();
  }
  RunChartMaker(AskingToReplace, ImportNotice, ListStepFiles, [] { Import(StepFileToImport); });
}
