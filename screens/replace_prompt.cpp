// The question before a chart is replaced.
#include "screens/replace_prompt.h"

#include <filesystem>

#include "charts/inside_music.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "charts/score_file.h"
#include "charts/song_labels.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/panels.h"
#include "screens/screen_state.h"

namespace {

constexpr size_t LineLength = 54;  // characters that fit between the window's edges

}  // namespace

bool SongHasChart(const std::string& song) {
  std::error_code error;
  return std::filesystem::exists(ChartPath(song), error);
}

void OpenReplacePrompt() {
  FocusNextFrame(FocusIdOf("Cancel"));  // drawn only for a player using the keys
}

ReplaceAnswer AskToReplace(const std::string& song) {
  const std::string name = SongTitle(song);
  const std::string question = "Replace the charts of " + name + "?";
  if (question.size() <= LineLength) {
    DrawText(320, 180, question, TextAlign::Centre);
  } else {  // a long name goes on a line of its own
    DrawText(320, 170, "Replace the charts of", TextAlign::Centre);
    DrawText(320, 192, name + "?", TextAlign::Centre);
  }
  bool replace = Button(Centred(220, 255, 160, 10), "Replace");
  bool cancel = Button(Centred(420, 255, 160, 10), "Cancel");
  if (cancel) return ReplaceAnswer::Cancel;  // both at once: the safe one
  return replace ? ReplaceAnswer::Replace : ReplaceAnswer::Waiting;
}

bool ReplaceChart(const std::string& song, const std::string& chartText, std::string& why) {
  if (SongFolderOutsideMusic(song)) {
    why = OutsideMusicLine;
    return false;
  }
  if (!ReplaceFile(ChartPath(song), chartText, why)) return false;
  RetireScoreFile(ScorePath(song));
  return true;
}

void WriteOrAsk(bool& asking, void (*write)()) {
  if (!SongHasChart(SelectedSong)) return write();
  asking = true;
  OpenReplacePrompt();
}

void RunChartMaker(bool& asking, const std::string& notice, void (*page)(), void (*write)()) {
  if (asking) {
    ReplaceAnswer answer = AskToReplace(SelectedSong);
    if (answer != ReplaceAnswer::Waiting) asking = false;
    if (answer == ReplaceAnswer::Replace) write();
    return;
  }
  page();
  DrawText(320, 400, notice, TextAlign::Centre);  // above "Back", as on the results
  if (BackButton()) Screen = ScreenId::DifficultySelect;
}
