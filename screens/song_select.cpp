// The song select.
#include "screens/song_select.h"

#include <string>
#include <vector>

#include "app/screen_state.h"
#include "charts/library.h"
#include "kit/button_list.h"
#include "kit/panels.h"

void RunSongSelect() {
  if (ScreenChanged) ScanMusicFolder();
  std::vector<const std::string*> songs;
  std::vector<std::string> labels;
  for (const SongEntry& entry : SongList) {
    if (!IsSongName(entry.name)) continue;
    songs.push_back(&entry.name);
    labels.push_back(DisplayName(entry.name, 4));
  }
  int clicked = ButtonList(labels, SongListScroll);
  if (clicked >= 0) {
    SelectedSong = *songs[clicked];
    Screen = DifficultySelect;
  }
  if (BackButton()) Screen = Title;
}
