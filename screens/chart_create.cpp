// The chart generator screen.
#include "screens/chart_create.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "charts/generator.h"
#include "charts/inside_music.h"
#include "kit/clock.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "screens/replace_prompt.h"
#include "screens/screen_state.h"

namespace {

bool AskingToReplace = false;  // "Accept" was clicked on a song that has a chart

// Left and Right step the focused row's value; held down they repeat, and a
// value that speeds up steps by 10 and then 100 as the repeat does.
int KeySteps(bool speedsUp) {
  uint32_t now = static_cast<uint32_t>(GameClockMs);
  int right = RepeatSteps(SDLK_RIGHT, now), left = RepeatSteps(SDLK_LEFT, now);
  if (!speedsUp) return right - left;
  return right * RepeatStride(SDLK_RIGHT, now) - left * RepeatStride(SDLK_LEFT, now);
}

// The steps of one of the mouse's decrease and increase buttons, held down repeating.
int PointerSteps(int x, int y, int icon, bool speedsUp) {
  uint32_t now = static_cast<uint32_t>(GameClockMs);
  int steps = RepeatButton(Centred(x, y, 60, 10), "", now);
  DrawImage(ArrowsImage, &ArrowRects[icon], x - 8, y - 9);
  return speedsUp ? steps * MouseRepeatStride(now) : steps;
}

// One question: the row is one stop of the keyboard focus, its value box; the
// decrease and increase buttons with their arrow icons are the mouse's. The
// value box is drawn last, so that a click shows its new value in the same frame.
void AskValue(int y, const char* question, int& value, const char* unit, SettingBounds bounds,
              bool speedsUp = false) {
  DrawText(40, y - 40, question, Left);
  bool focused = TakeFocus(FocusIdOf(question));
  if (focused) value += KeySteps(speedsUp);
  value -= PointerSteps(103, y, ArrowLeftIcon, speedsUp);
  value += PointerSteps(537, y, ArrowRightIcon, speedsUp);
  value = std::clamp(value, bounds.low, bounds.high);
  InfoBox(Centred(320, y, 300, 10), std::to_string(value) + unit, focused);
}

// A chart that cannot be saved keeps the screen, which says why.
void WriteChart() {
  std::string why;
  if (ReplaceChart(SelectedSong, GenerateChartText(CreateBpm, CreateDelayMs, CreateBeats), why))
    Screen = DifficultySelect;
  else  // the line for a folder outside Music/ says it all, and fits the window only alone
    CreateNotice = why == OutsideMusicLine ? why : "could not save the chart: " + why;
}

void AskTheQuestions() {
  AskValue(135, "How fast is the song?", CreateBpm, " BPM", BpmBounds);
  AskValue(215, "When does the first beat occur?", CreateDelayMs, " millisecond delay", DelayBounds, true);
  AskValue(295, "How many beats are there before the song ends?", CreateBeats, " arrows", BeatBounds);
  if (Button(Centred(320, 375, 600, 10), "Accept")) WriteOrAsk(AskingToReplace, WriteChart);
}

}  // namespace

void RunChartCreate() {
  if (ScreenChanged) {
    AskingToReplace = false;
    CreateNotice.clear();
  }
  RunChartMaker(AskingToReplace, CreateNotice, AskTheQuestions, WriteChart);
}
