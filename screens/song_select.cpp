// The song select.
#include "screens/song_select.h"

#include "app/screen_state.h"
#include "charts/library.h"
#include "kit/button_list.h"
#include "kit/panels.h"

void RunSongSelect() {
  if (ScreenChanged) ScanMusicFolder();
  ListedFiles songs = ListFiles(IsSongName, 4);
  int clicked = ButtonList(songs.labels, SongListScroll);
  if (clicked >= 0) {
    SelectedSong = songs.names[clicked];
    Screen = DifficultySelect;
  }
  if (BackButton()) Screen = Title;
}
