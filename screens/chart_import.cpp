// The import screen.
#include "screens/chart_import.h"

#include <string>
#include <vector>

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

// The step files of Music/ in list order, each labelled with its name without
// the extension; those StepMania passes over (an .sm beside its .ssc) are left out.
ListedFiles StepFiles() {
  ListedFiles all = ListFiles(IsStepFileName, 0);
  ListedFiles shown;
  for (const std::string& name : all.names) {
    if (StepFilePassedOver(name, all.names)) continue;
    shown.names.push_back(name);
    shown.labels.push_back(DisplayName(name, IsSscName(name) ? 4 : 3));
  }
  return shown;
}

constexpr size_t HeadingLength = 56;  // characters that fit in the heading's line

std::string StepFileToImport;  // the file last clicked
bool AskingToReplace = false;  // the song has a chart: until the player answers for StepFileToImport

constexpr size_t NoticeLength = 54;  // characters that fit across the window

// Whether the step file holds a chart the game can play; when not, the
// notice names it, before any question and with nothing replaced.
bool HoldsAChart(const std::string& stepFile) {
  std::vector<ChartSection> sections;
  bool read = ReadStepFile(MusicPath(stepFile), sections);
  if (read && !sections.empty()) return true;
  ImportNotice = (read ? "no dance-single chart in " : "cannot read ") + stepFile;
  ImportNotice = ImportNotice.substr(0, NoticeLength);
  return false;
}

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
  Screen = ScreenId::DifficultySelect;
}

void ListStepFiles() {
  DrawText(14, 8, ("Import a step chart for " + SongTitle(SelectedSong)).substr(0, HeadingLength), TextAlign::Left);
  ListedFiles files = StepFiles();
  int clicked = ButtonList(files.labels, ImportListScroll);
  if (clicked < 0 || !HoldsAChart(files.names[clicked])) return;
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
