#include "screens/song_select.h"

#include <vector>

#include "app/screen_state.h"
#include "charts/library.h"
#include "kit/images.h"
#include "kit/panels.h"

namespace {

// Indices into SongList of the MP3 songs, in list order.
std::vector<size_t> SongIndices() {
  std::vector<size_t> songs;
  for (size_t i = 0; i < SongList.size(); ++i)
    if (IsSongName(SongList[i].name)) songs.push_back(i);
  return songs;
}

// An empty-labelled scroll button with an arrow icon on its middle.
bool ScrollButton(int y, int arrowCell) {
  bool clicked = Button(320, y, 500, 10, true, true, "");
  DrawImage(ArrowsImage, &ArrowRects[arrowCell], 312, y - 9);
  return clicked;
}

void DrawSongRows(const std::vector<size_t>& songs, int scroll) {
  for (int r = 0; r < SongRows; ++r) {
    long k = static_cast<long>(scroll) + r;
    if (k < 0 || k >= static_cast<long>(songs.size())) continue;
    const std::string& name = SongList[songs[k]].name;
    if (Button(320, 95 + 40 * r, 600, 10, true, true, DisplayName(name, 4))) {
      SelectedSong = name;
      Screen = DifficultySelect;
    }
  }
}

}  // namespace

void RunSongSelect() {
  if (ScreenChanged) ScanMusicFolder();
  std::vector<size_t> songs = SongIndices();
  int scroll = SongListScroll;  // this frame is drawn as it stood when the frame began
  long count = static_cast<long>(songs.size());
  if (scroll > 0 && count > 0 && ScrollButton(55, 2)) --SongListScroll;
  DrawSongRows(songs, scroll);
  if (count > static_cast<long>(scroll) + SongRows && ScrollButton(375, 0)) ++SongListScroll;
  if (Button(500, 430, 100, 10, false, true, "Back")) Screen = Title;
}
