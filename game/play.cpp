// The play screen: notes, targets, judgement words, counters and the way out.
#include "game/play.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "charts/clamp.h"
#include "game/judgement.h"
#include "game/media.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "kit/sheet_blit.h"

namespace {

constexpr int HoldCell = 35;  // height of one hold cell
constexpr int CounterTop = 386;  // the BOO line; the others follow 18 pixels apart

// A sheet, its copy in the screen's own format, and the copy's runs.
struct ScreenCopy {
  SDL_Surface* sheet = nullptr;
  SDL_Surface* copy = nullptr;
  bool runLengths = false;  // SDL's blit of sheets that are mostly clear or solid is faster coded
  SheetRuns runs;
};
ScreenCopy ArrowCopy, RatingCopy{nullptr, nullptr, true, {}}, HoldCopy{nullptr, nullptr, true, {}};

// The sheets come as IMG_Load delivers them, in RGBA byte order, which SDL
// blends onto the screen by its slow generic path. A copy in the screen's
// format with the same alpha looks the same, and its rows are cut into runs
// once, so that a frame blends only the soft edges of the arrows.
SDL_Surface* Blittable(ScreenCopy& entry, SDL_Surface* sheet) {
  if (sheet == nullptr || ScreenSurface == nullptr) return sheet;
  if (entry.sheet != sheet) {
    SDL_FreeSurface(entry.copy);
    SDL_FreeSurface(entry.sheet);  // lets go of the old sheet
    ++sheet->refcount;             // held, so no new sheet can take its address
    entry.sheet = sheet;
    entry.copy = SDL_DisplayFormatAlpha(sheet);
    if (entry.copy != nullptr && entry.runLengths)
      SDL_SetAlpha(entry.copy, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
    PrepareSheet(entry.runs, entry.copy);
  }
  return entry.copy != nullptr ? entry.copy : sheet;
}

// One cell of a sheet with its top-left at (x, y). Positions come in 64 bits
// from far-out notes; anything off the window is skipped here.
void DrawCell(ScreenCopy& entry, SDL_Surface* sheet, const SDL_Rect* part, int x, int64_t y) {
  if (y > WindowHeight || y < -8192) return;
  SDL_Surface* image = Blittable(entry, sheet);
  DrawSheetPart(entry.runs, image, part, x, static_cast<int>(y));
}

int TargetRow(int32_t timer) {
  if (timer == 0) return 1;
  return timer == 1 ? 2 : 0;
}

void StopMusic() {
  Mix_FreeMusic(CurrentMusic);  // also stops it
  CurrentMusic = nullptr;
}

}  // namespace

PlayOutcome RunPlayScreen() {
  AdvanceSongClock();
  UpdateJudgement();
  DrawPopups();
  DrawTargets();
  DrawNotes();
  if (Combo > LongestCombo) LongestCombo = Combo;
  DrawCounters();
  return LeaveOrPause();
}

void DrawPopups() {
  int64_t rise = static_cast<int64_t>(FrameDelta / -10.0);
  for (int i = 0; i < static_cast<int>(PopupList.size());) {
    RatingPopup& popup = PopupList[i];
    if (popup.rating >= Boo && popup.rating <= Perfect)
      DrawCell(RatingCopy, RatingSheet, &RatingCells[popup.rating], popup.x, popup.y);
    popup.y = ClampToInt32(popup.y + rise);
    if (popup.y < -50)
      RemovePopup(i);
    else
      ++i;
  }
}

void DrawTargets() {
  for (int c = 0; c < 4; ++c)
    DrawCell(ArrowCopy, ArrowSheet, &ArrowCells[c + 4 * TargetRow(ColumnTimer[c])], ColumnX[c], TargetY);
}

int DrawNotes() {
  int drawn = 0;
  for (const Note& note : NoteList) {
    int64_t y = NoteHeight(note);
    if (y < -69 || y > 479 || note.column < 0 || note.column > 3) continue;
    if (note.hold != 0) DrawHold(ColumnX[note.column] + 10, y, note.hold);
    DrawCell(ArrowCopy, ArrowSheet, &ArrowCells[note.column + 12], ColumnX[note.column], y);
    ++drawn;
  }
  return drawn;
}

void DrawHold(int x, int64_t y, int32_t hold) {
  int64_t length = hold / 5;  // the strip's pixels: its remaining time at 200 px a second
  int64_t cells = static_cast<int64_t>(std::floor(hold / 5.0 / 35.0));
  DrawCell(HoldCopy, HoldSheet, &HoldCells[0], x, y);
  // A long hold runs far below the window: stop at its bottom edge.
  for (int64_t k = 1; k <= cells && y + HoldCell * k <= WindowHeight; ++k)
    DrawCell(HoldCopy, HoldSheet, &HoldCells[1], x, y + HoldCell * k);
  int64_t rest = length - HoldCell * cells;
  if (rest > 0 && rest <= HoldCell) {
    SDL_Rect piece = MakeRect(50, 0, 50, static_cast<int>(rest));
    DrawCell(HoldCopy, HoldSheet, &piece, x, y + HoldCell * (cells + 1));
  }
  DrawCell(HoldCopy, HoldSheet, &HoldCells[2], x, y + HoldCell + length);
}

std::vector<std::string> CounterLines() {
  std::vector<std::string> lines = {std::to_string(BooCount) + " BOO", std::to_string(GoodCount) + " GOOD",
                                    std::to_string(PerfectCount) + " PERFECT"};
  if (Combo > 2) lines.push_back(std::to_string(Combo) + " COMBO");
  return lines;
}

void DrawCounters() {
  std::vector<std::string> lines = CounterLines();
  for (size_t i = 0; i < lines.size(); ++i)
    DrawText(320, CounterTop + 18 * static_cast<int>(i), lines[i], Centre);
}

PlayOutcome LeaveOrPause() {
  if (BackButton()) {
    StopMusic();
    return PlayOutcome::Abandoned;
  }
  if (!Mix_PlayingMusic()) {
    StopMusic();
    return PlayOutcome::Finished;
  }
  if (KeyStates[SDLK_ESCAPE] == Pressed)
    Mix_PauseMusic();
  else if (Mix_PausedMusic())
    Mix_ResumeMusic();
  return PlayOutcome::Playing;
}
