// The song select.
#include "screens/song_select.h"

#include <vector>

#include "app/screen_state.h"
#include "charts/library.h"
#include "charts/packs.h"
#include "charts/song_labels.h"
#include "game/preview.h"
#include "kit/button_list.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/input.h"
#include "kit/panels.h"

namespace {

// A row of the list: a pack (song -1), a song of Music/ itself (pack -1), or a song of a pack.
struct ListedRow {
  int pack = -1;
  int song = -1;
};

// The rows of the level shown, after the search, and their labels. A label
// is made when its row is drawn or searched, so a big list reads few step files.
std::vector<ListedRow> ShownRows;
std::vector<std::string> ShownLabels;
std::vector<bool> LabelMade;

int OpenPackIndex() {
  for (size_t p = 0; p < Packs.size(); ++p)
    if (Packs[p].name == OpenPack) return static_cast<int>(p);
  return -1;
}

const LibrarySong& SongOf(const ListedRow& row) { return row.pack < 0 ? LooseSongs[row.song] : Packs[row.pack].songs[row.song]; }

const std::string& LabelOf(size_t k) {
  if (!LabelMade[k]) {
    const ListedRow& row = ShownRows[k];
    ShownLabels[k] = row.song < 0 ? PackLabel(Packs[row.pack]) : SongLabel(SongOf(row));
    LabelMade[k] = true;
  }
  return ShownLabels[k];
}

// A pack is found by its name; a song by its label.
bool RowMatches(size_t k, const std::string& typed) {
  const ListedRow& row = ShownRows[k];
  return row.song < 0 ? LabelMatches(PackName(Packs[row.pack]), typed) : LabelMatches(LabelOf(k), typed);
}

void Keep(const ListedRow& row) {
  ShownRows.push_back(row);
  ShownLabels.emplace_back();
  LabelMade.push_back(false);
}

// The rows of a pack (or, for -1, of the top level) holding the typed text.
void ListLevel(int pack, const std::string& typed) {
  ShownRows.clear(), ShownLabels.clear(), LabelMade.clear();
  if (pack >= 0) {
    for (size_t s = 0; s < Packs[pack].songs.size(); ++s) Keep({pack, static_cast<int>(s)});
  } else {
    for (size_t p = 0; p < Packs.size(); ++p) Keep({static_cast<int>(p), -1});
    for (size_t s = 0; s < LooseSongs.size(); ++s) Keep({-1, static_cast<int>(s)});
  }
  if (typed.empty()) return;
  size_t kept = 0;
  for (size_t k = 0; k < ShownRows.size(); ++k) {
    if (!RowMatches(k, typed)) continue;
    ShownRows[kept] = ShownRows[k], ShownLabels[kept] = std::move(ShownLabels[k]), LabelMade[kept] = LabelMade[k];
    ++kept;
  }
  ShownRows.resize(kept), ShownLabels.resize(kept), LabelMade.resize(kept);
}

// This frame's typing into the search; true when it changed.
bool TakeTyping(std::string& typed) {
  std::string before = typed;
  for (char c : KeysTyped) {
    if (c != '\b')
      typed += c;
    else if (!typed.empty())
      typed.pop_back();
  }
  typed = typed.substr(0, DisplayNameLength);
  return typed != before;
}

// Back from a pack: the top level as it was, the focus (if the keyboard has it) on the pack's row.
void ClosePack(int pack) {
  OpenPack.clear();
  ListLevel(-1, TopSearch);
  SongRowsStale = false;
  if (FocusIndex < 0) return;
  for (size_t k = 0; k < ShownRows.size(); ++k)
    if (ShownRows[k].pack == pack && ShownRows[k].song < 0 && static_cast<int>(k) >= SongListScroll)
      FocusNextFrame(static_cast<int>(k) - SongListScroll + (SongListScroll > 0 ? 1 : 0));
}

void Choose(const ListedRow& row) {
  if (row.song >= 0) {
    SelectedSong = SongOf(row).song;
    Screen = DifficultySelect;
    return;
  }
  OpenPack = Packs[row.pack].name;
  PackListScroll = 0;
  PackSearch.clear();
  SongRowsStale = true;
  if (FocusIndex >= 0) FocusNextFrame(0);
}

void DrawHeading(int pack, const std::string& typed) {
  DrawText(25, 7, typed, Left);
  if (pack >= 0) DrawText(615, 7, PackName(Packs[pack]).substr(0, 25), Right);
}

}  // namespace

void RunSongSelect() {
  if (ScreenChanged) ScanMusicFolder(), ScanSongLibrary(), SongRowsStale = true;
  int pack = OpenPackIndex();
  if (pack < 0) OpenPack.clear();
  std::string& typed = pack >= 0 ? PackSearch : TopSearch;
  int& scroll = pack >= 0 ? PackListScroll : SongListScroll;
  if (TakeTyping(typed)) SongRowsStale = true, scroll = 0;
  if (SongRowsStale) ListLevel(pack, typed), SongRowsStale = false;
  for (long k = scroll; k >= 0 && k < scroll + ListRows && k < static_cast<long>(ShownRows.size()); ++k) LabelOf(k);
  DrawHeading(pack, typed);
  int clicked = ButtonList(ShownLabels, scroll);
  const LibrarySong* lit = ListLitRow >= 0 && ShownRows[ListLitRow].song >= 0 ? &SongOf(ShownRows[ListLitRow]) : nullptr;
  UpdatePreview(lit != nullptr ? lit->song : "", lit != nullptr ? lit->stepFile : "");
  if (clicked >= 0) Choose(ShownRows[clicked]);
  if (BackButton()) {
    if (pack >= 0)
      ClosePack(pack);
    else
      TopSearch.clear(), Screen = Title;
  }
  if (Screen != SongSelect) StopPreview();
}
