#include "charts/import.h"

#include <cstdio>
#include <vector>

#include "app/screen_state.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "charts/step_file.h"
#include "game/notes.h"
#include "kit/images.h"
#include "kit/panels.h"

namespace {

constexpr size_t ReadChunk = 64 * 1024;

// Indices into SongList of the step files, in list order.
std::vector<size_t> StepFileIndices() {
  std::vector<size_t> files;
  for (size_t i = 0; i < SongList.size(); ++i)
    if (IsStepFileName(SongList[i].name)) files.push_back(i);
  return files;
}

// An empty-labelled scroll button with an arrow icon on its middle.
bool ScrollButton(int y, int arrowCell) {
  bool clicked = Button(320, y, 500, 10, true, true, "");
  DrawImage(ArrowsImage, &ArrowRects[arrowCell], 312, y - 9);
  return clicked;
}

void DrawFileRows(const std::vector<size_t>& files, int scroll) {
  for (int r = 0; r < ImportRows; ++r) {
    long k = static_cast<long>(scroll) + r;
    if (k < 0 || k >= static_cast<long>(files.size())) continue;
    const std::string& name = SongList[files[k]].name;
    if (Button(320, 95 + 40 * r, 600, 10, true, true, DisplayName(name, 3))) {
      ImportStepFile(name);
      Screen = DifficultySelect;
    }
  }
}

}  // namespace

void ImportStepFile(const std::string& name) {
  EmptyNoteList();
  std::FILE* file = std::fopen(MusicPath(name).c_str(), "rb");
  if (file == nullptr) return;
  StartStepConversion();
  std::vector<char> buffer(ReadChunk);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    FeedStepText({buffer.data(), got});
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  std::string chart = FinishStepConversion();
  if (!failed) ReplaceFile(ChartPath(SelectedSong), chart);
}

void RunChartImport() {
  if (ScreenChanged) ScanMusicFolder();
  std::vector<size_t> files = StepFileIndices();
  int scroll = ImportListScroll;  // this frame is drawn as it stood when the frame began
  long count = static_cast<long>(files.size());
  if (scroll > 0 && count > 0 && ScrollButton(55, 2)) --ImportListScroll;
  DrawFileRows(files, scroll);
  if (count > static_cast<long>(scroll) + ImportRows && ScrollButton(375, 0)) ++ImportListScroll;
  if (Button(500, 430, 100, 10, false, true, "Back")) Screen = DifficultySelect;
}
