// The play screen: its step (judgement, popups, combo, the way out) and its drawing.
#include "game/play.h"

#include <algorithm>
#include <cmath>

#include "charts/clamp.h"
#include "game/judgement.h"
#include "game/media.h"
#include "game/scroll.h"
#include "kit/audio.h"
#include "kit/clock.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/panels.h"

namespace {

constexpr int CounterTop = 386;  // the BOO line; the others follow 18 pixels apart
constexpr int PopupGoneAboveY = -50;

// One cell of a play sheet with its top-left at (x, y). Positions come in 64
// bits from far-out notes; anything off the window is skipped here.
void DrawCell(const PlaySheet& play, SDL_Surface* sheet, const SDL_Rect* part, int x, int64_t y) {
  if (OffWindow(x, y)) return;
  DrawSheetPart(play.runs, play.copy != nullptr ? play.copy : sheet, part, x, static_cast<int>(y));
}

int TargetRow(int32_t timer) {
  if (timer == 0) return 1;
  return timer == 1 ? 2 : 0;
}

// Each popup rises by a tenth of the song's step in the frame it was last
// shown in, and is gone once above y -50.
void MovePopups() {
  int64_t rise = static_cast<int64_t>(FrameDelta / -10.0);
  for (int i = 0; i < static_cast<int>(PopupList.size());) {
    RatingPopup& popup = PopupList[i];
    popup.y = ClampToInt32(popup.y + rise);
    if (popup.y < PopupGoneAboveY)
      RemovePopup(i);
    else
      ++i;
  }
}

// "Back", the song's end (once the device played all it was given),
// pausing the music on Escape and resuming it after the pause.
PlayOutcome LeaveOrPause(bool back) {
  if (back) {
    StopSong();
    return PlayOutcome::Abandoned;
  }
  if (!MusicPlaying() && (!MusicClockRuns() || MusicAllHeard(LastTicks))) {
    StopSong();
    return PlayOutcome::Finished;
  }
  if (PausePressed())
    PauseMusic();
  else if (MusicPaused() && !LeadingIn)
    ResumeMusic();
  return PlayOutcome::Playing;
}

// The music, started paused by the song start, begins once the lead-in is
// over, early by what the device holds so that its first sample is heard at
// song time 0; the song clock is anchored again to that moment.
void EndLeadIn() {
  if (!LeadingIn || GameClockNow() + MusicWaitingMs() < PlayStart) return;
  ResumeMusic();
  PlayStart = GameClockNow() + MusicWaitingMs();
  LeadingIn = false;
}

}  // namespace

void StopSong() {
  FreeMusic(CurrentMusic);  // also stops it
  CurrentMusic = nullptr;
  LeadingIn = false;
}

PlayOutcome RunPlayScreen() {
  bool back = BackButton();
  PlayOutcome outcome = TickPlay(back);
  DrawPlay();
  return outcome;
}

PlayOutcome TickPlay(bool back) {
  MovePopups();
  EndLeadIn();
  AdvanceSongClock();
  UpdateJudgement();
  LongestCombo = std::max(LongestCombo, Combo);
  return LeaveOrPause(back);
}

void DrawPlay() {
  DrawPopups();
  DrawTargets();
  DrawNotes();
  DrawCounters();
}

void DrawPopups() {
  for (const RatingPopup& popup : PopupList)
    if (popup.rating >= Boo && popup.rating <= Mine)
      DrawCell(RatingPlaySheet, RatingSheet, &RatingCells[popup.rating], popup.x, popup.y);
}

void DrawTargets() {
  for (int c = 0; c < 4; ++c)
    DrawCell(ArrowPlaySheet, ArrowSheet, &ArrowCells[c + 4 * TargetRow(ColumnTimer[c])], ColumnX[c], TargetLineY);
}

namespace {

bool OnWindow(const Note& note, int64_t y) { return ArrowInWindow(y) && note.column >= 0 && note.column <= 3; }

// The scrolling arrow of a note: its column's colour, or by beat its place's, in its column's shape.
void DrawArrow(const Note& note, int64_t y) {
  if (ArrowColoursByBeat && note.beat != BeatPlace::Unknown) {
    int place = static_cast<int>(note.beat) - 1;
    DrawCell(BeatArrowPlaySheet, BeatArrowSheet, &BeatArrowCells[note.column + 4 * place], ColumnX[note.column], y);
    return;
  }
  DrawCell(ArrowPlaySheet, ArrowSheet, &ArrowCells[note.column + 12], ColumnX[note.column], y);
}

}  // namespace

int DrawNotes() {
  for (const Note& mine : MineList)
    if (int64_t y = NoteY(mine.time, SongPosition); OnWindow(mine, y))
      DrawCell(MinePlaySheet, MineSheet, &MineCell, ColumnX[mine.column], y);
  int drawn = 0;
  for (const Note& note : NoteList) {
    int64_t y = NoteY(note.time, SongPosition);
    if (!OnWindow(note, y)) continue;
    if (note.hold != 0) DrawHold(ColumnX[note.column] + 10, y, note.hold, note.roll);
    DrawArrow(note, y);
    ++drawn;
  }
  return drawn;
}

void DrawHold(int x, int64_t y, int32_t hold, bool roll) {
  const PlaySheet& play = roll ? RollPlaySheet : HoldPlaySheet;
  SDL_Surface* sheet = roll ? RollSheet : HoldSheet;
  int64_t length = ScrollPixels(hold);  // the strip's pixels: its remaining time
  int64_t cells = HoldWholeCells(hold);
  DrawCell(play, sheet, &HoldCells[0], x, y);
  // A long hold runs far below the window: stop at its bottom edge.
  for (int64_t k = 1; k <= cells && y + HoldCellHeight * k <= WindowHeight; ++k)
    DrawCell(play, sheet, &HoldCells[1], x, y + HoldCellHeight * k);
  int64_t rest = length - HoldCellHeight * cells;
  if (rest > 0 && rest <= HoldCellHeight) {
    SDL_Rect piece = MakeRect(50, 0, 50, static_cast<int>(rest));
    DrawCell(play, sheet, &piece, x, y + HoldCellHeight * (cells + 1));
  }
  DrawCell(play, sheet, &HoldCells[2], x, y + HoldCellHeight + length);
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
    DrawText(320, CounterTop + 18 * static_cast<int>(i), lines[i], TextAlign::Centre);
}
