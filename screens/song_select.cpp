// The song select.
#include "screens/song_select.h"

#include <algorithm>
#include <vector>

#include "charts/favourites.h"
#include "charts/library.h"
#include "charts/library_cache.h"
#include "charts/packs.h"
#include "charts/song_labels.h"
#include "game/preview.h"
#include "kit/button_list.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "screens/screen_state.h"
#include "screens/song_info.h"
#include "screens/song_order.h"

namespace {

// A row of the list: a pack (song -1), a song of Music/ itself (pack -1), or a song of a pack.
struct ListedRow {
  int pack = -1;
  int song = -1;
};

constexpr int TopLevel = -1;     // the packs and loose songs of Music/
constexpr int WholeLibrary = -3; // every song, packs' songs too, flat: what a search at the top level looks in
constexpr size_t PackBesideLength = 20;  // characters of a pack's name beside its song in the flat list

// The rows of the level shown (a pack, the top level, or the whole library),
// with their labels and what the search looks in (a pack's name, a song's
// label, and beside a pack's song in the whole library its pack's name). A
// label is made when its row is first drawn or searched, so a big list reads
// few step files; the search then keeps the rows that hold the typed text.
std::vector<ListedRow> LevelRows;
std::vector<std::string> LevelLabels, LevelKeys;
std::vector<bool> LabelMade;
int LevelPack = -2;  // the level the rows are of; -2 when none are listed
std::vector<int> ShownRows;  // indices into LevelRows
std::vector<std::string> ShownLabels;
std::vector<FocusId> ShownIds;  // a row's focus identity: its pack and song, whatever the filter

int OpenPackIndex() {
  for (size_t p = 0; p < Packs.size(); ++p)
    if (Packs[p].name == OpenPack) return static_cast<int>(p);
  return -1;
}

const LibrarySong& SongOf(const ListedRow& row) { return row.pack < 0 ? LooseSongs[row.song] : Packs[row.pack].songs[row.song]; }

FocusId RowIdentity(const ListedRow& row) { return RowFocusId("songs", static_cast<long>(row.pack) * 1000003L + row.song); }

// A pack's song in the whole library: its label with the pack's name beside it.
std::string FlatLabel(const ListedRow& row, const std::string& label) {
  if (row.pack < 0) return label;
  std::string beside = " - " + PackName(Packs[row.pack]).substr(0, PackBesideLength);
  return label.substr(0, DisplayNameLength - beside.size()) + beside;
}

void MakeLabel(size_t k) {
  if (LabelMade[k]) return;
  const ListedRow& row = LevelRows[k];
  const std::string label = row.song < 0 ? PackLabel(Packs[row.pack]) : SongLabel(SongOf(row));
  LevelLabels[k] = LevelPack == WholeLibrary ? FlatLabel(row, label) : label;
  LevelKeys[k] = row.song < 0 ? PackName(Packs[row.pack]) : label;
  if (LevelPack == WholeLibrary && row.pack >= 0) LevelKeys[k] += "\n" + PackName(Packs[row.pack]);
  LabelMade[k] = true;
}

void ListLevel(int level) {
  LevelRows.clear();
  if (level >= 0)
    for (size_t s = 0; s < Packs[level].songs.size(); ++s) LevelRows.push_back({level, static_cast<int>(s)});
  for (size_t p = 0; level == TopLevel && p < Packs.size(); ++p) LevelRows.push_back({static_cast<int>(p), -1});
  for (size_t p = 0; level == WholeLibrary && p < Packs.size(); ++p)
    for (size_t s = 0; s < Packs[p].songs.size(); ++s) LevelRows.push_back({static_cast<int>(p), static_cast<int>(s)});
  for (size_t s = 0; level < 0 && s < LooseSongs.size(); ++s) LevelRows.push_back({-1, static_cast<int>(s)});
  LevelLabels.assign(LevelRows.size(), {});
  LevelKeys.assign(LevelRows.size(), {});
  LabelMade.assign(LevelRows.size(), false);
  LevelPack = level;
}

// What the list shows: an open pack's songs, or at the top level the packs
// and loose songs, and while a search is typed there every song of the library.
int LevelShown(int pack, const std::string& typed) { return pack >= 0 ? pack : typed.empty() ? TopLevel : WholeLibrary; }

// The rows of a level holding the typed text.
void ListShownRows(int pack, const std::string& typed) {
  const int level = LevelShown(pack, typed);
  if (SongRowsStale || level != LevelPack) ListLevel(level);
  ShownRows.clear(), ShownLabels.clear(), ShownIds.clear();
  for (size_t k = 0; k < LevelRows.size(); ++k) {
    if (!typed.empty() && (MakeLabel(k), !LabelMatches(LevelKeys[k], typed))) continue;
    ShownRows.push_back(static_cast<int>(k));
    ShownLabels.push_back(LabelMade[k] ? LevelLabels[k] : std::string());
    ShownIds.push_back(RowIdentity(LevelRows[k]));
  }
  SongRowsStale = false;
}

// The labels of the rows drawn this frame.
void LabelShownRows(int scroll) {
  for (long r = scroll; r >= 0 && r < scroll + ListRows && r < static_cast<long>(ShownRows.size()); ++r) {
    MakeLabel(ShownRows[r]);
    ShownLabels[r] = LevelLabels[ShownRows[r]];
  }
}

const ListedRow& ShownRow(int r) { return LevelRows[ShownRows[r]]; }

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

// Back from a pack: the top level as it was, the focus on the pack's row.
void ClosePack(int pack) {
  OpenPack.clear();
  ListShownRows(-1, TopSearch);
  FocusNextFrame(RowIdentity({pack, -1}));
}

void Choose(const ListedRow& row) {
  if (row.song >= 0) {
    SelectedSong = SongOf(row).song;
    Screen = ScreenId::DifficultySelect;
    return;
  }
  OpenPack = Packs[row.pack].name;
  PackListScroll = 0;
  PackSearch.clear();
  SongRowsStale = true;
  if (!Packs[row.pack].songs.empty()) FocusNextFrame(RowIdentity({row.pack, 0}));
}

void MarkFavouriteRows(int scroll) {
  for (int r = 0; r < ListRows; ++r) {
    long k = static_cast<long>(scroll) + r;
    if (k >= 0 && k < static_cast<long>(ShownRows.size()) && ShownRow(k).song >= 0 && IsFavourite(SongOf(ShownRow(k)).song))
      DrawFavouriteMark(r);
  }
}

int32_t EarliestDue(int32_t a, int32_t b) { return a < 0 ? b : b < 0 ? a : std::min(a, b); }

void DrawHeading(int pack, const std::string& typed) {
  DrawText(25, 7, typed, TextAlign::Left);
  if (pack >= 0) DrawText(615, 7, PackName(Packs[pack]).substr(0, 25), TextAlign::Right);
  if (!typed.empty() && ShownRows.empty()) DrawText(320, 215, "no song matches " + typed, TextAlign::Centre);
}

// The song under the pointer or the keys' focus plays its preview; it is the lit song.
const LibrarySong* PreviewLitSong() {
  const LibrarySong* lit = ListLitRow >= 0 && ShownRow(ListLitRow).song >= 0 ? &SongOf(ShownRow(ListLitRow)) : nullptr;
  UpdatePreview(lit != nullptr ? lit->song : "", lit != nullptr ? lit->stepFile : "");
  return lit;
}

}  // namespace

void RunSongSelect() {
  if (ScreenChanged) ScanMusicFolder(), OpenSongLibrary(ListOrder()), SongRowsStale = true;
  int pack = OpenPackIndex();
  if (pack >= 0 && CheckPack(OpenPack, ListOrder())) pack = OpenPackIndex(), SongRowsStale = true;
  if (pack < 0) OpenPack.clear();
  std::string& typed = pack >= 0 ? PackSearch : TopSearch;
  int& scroll = pack >= 0 ? PackListScroll : SongListScroll;
  bool searched = TakeTyping(typed);
  if (searched) scroll = 0;
  if (searched || SongRowsStale || LevelShown(pack, typed) != LevelPack) ListShownRows(pack, typed);
  LabelShownRows(scroll);
  DrawHeading(pack, typed);
  int clicked = ButtonList(ShownLabels, scroll, &ShownIds);
  const LibrarySong* lit = PreviewLitSong();
  UpdateSongPanel(lit);
  DrawSongPanel(lit);
  MarkFavouriteRows(scroll);
  if (clicked >= 0) Choose(ShownRow(clicked));
  if (BackButton()) {
    if (pack >= 0)
      ClosePack(pack);
    else
      TopSearch.clear(), Screen = ScreenId::Title;
  }
  if (RunSongListControls(lit)) SongRowsStale = true;  // lit may be gone: the rows are listed anew
  if (Screen != ScreenId::SongSelect) StopPreview(), ForgetBanners();
  ScreenDueMs = EarliestDue(PreviewDueMs(), SongPanelDueMs());
}
