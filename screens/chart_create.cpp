// The chart generator screen.
#include "screens/chart_create.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "charts/generator.h"
#include "charts/inside_music.h"
#include "charts/library.h"
#include "charts/music_chart.h"
#include "charts/song_analysis.h"
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
bool Listening = false;        // the song's analysis was running when last asked

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
  DrawText(40, y - 40, question, TextAlign::Left);
  bool focused = TakeFocus(FocusIdOf(question));
  if (focused) value += KeySteps(speedsUp);
  value -= PointerSteps(103, y, ArrowLeftIcon, speedsUp);
  value += PointerSteps(537, y, ArrowRightIcon, speedsUp);
  value = std::clamp(value, bounds.low, bounds.high);
  InfoBox(Centred(320, y, 300, 10), std::to_string(value) + unit, focused && FocusDrawn());
}

bool ShiftHeld() { return KeyStates[SDLK_LSHIFT] != KeyState::Up || KeyStates[SDLK_RSHIFT] != KeyState::Up; }

// A pointer-only button that acts once per click (not repeating while held).
bool ClickButton(int x, int y, int width, const char* label) {
  return RepeatButton(Centred(x, y, width, 10), label, static_cast<uint32_t>(GameClockMs)) > 0 &&
         MouseButtons[SDL_BUTTON_LEFT] == KeyState::Pressed;
}

// The tempo: steps of 1 BPM, of 0.01 with Shift held; "/2" and "x2" halve
// and double it, the beats with it, so the chart keeps its length.
void AskTempo(int y) {
  DrawText(40, y - 40, "How fast is the song?", TextAlign::Left);
  if (ClickButton(440, y - 40, 40, "/2") && CreateBpm / 2 >= BpmBounds.low)
    CreateBpm /= 2, CreateBeats = std::max(BeatBounds.low, (CreateBeats + 1) / 2);
  if (ClickButton(540, y - 40, 40, "x2") && CreateBpm * 2 <= BpmBounds.high)
    CreateBpm *= 2, CreateBeats = std::min(BeatBounds.high, CreateBeats * 2);
  bool focused = TakeFocus(FocusIdOf("How fast is the song?"));
  int steps = focused ? KeySteps(false) : 0;
  steps -= PointerSteps(103, y, ArrowLeftIcon, false);
  steps += PointerSteps(537, y, ArrowRightIcon, false);
  if (steps != 0) CreateBpm = std::round((CreateBpm + steps * (ShiftHeld() ? 0.01 : 1.0)) * 1000) / 1000;
  CreateBpm = std::clamp(CreateBpm, static_cast<double>(BpmBounds.low), static_cast<double>(BpmBounds.high));
  char text[32];
  std::snprintf(text, sizeof text, "%.2f BPM", CreateBpm);
  InfoBox(Centred(320, y, 300, 10), text, focused && FocusDrawn());
}

// "Arrows": a click, Enter, Left or Right switches; music only for music that has a beat.
void AskArrows(int y, bool musicOffered) {
  DrawText(40, y - 6, "Arrows", TextAlign::Left);
  const char* label = CreateArrows == ArrowsFrom::Music ? "where the music is" : "random on the beats";
  bool switched = Button(Centred(320, y, 300, 10), label);
  if (LastButtonFocused() && (KeySteps(false) != 0)) switched = true;
  if (switched) CreateArrows = CreateArrows == ArrowsFrom::Music ? ArrowsFrom::RandomBeats : ArrowsFrom::Music;
  if (!musicOffered) CreateArrows = ArrowsFrom::RandomBeats;
}

// The values from the music, when it is sure of its beat; else they stay.
void TakeFoundValues(const MusicAnalysis& found) {
  if (found.bpm <= 0 || found.confidence < SureConfidence) return;
  CreateBpm = std::clamp(found.bpm, static_cast<double>(BpmBounds.low), static_cast<double>(BpmBounds.high));
  CreateDelayMs = std::clamp(static_cast<int>(std::lround(found.firstBeatMs)), DelayBounds.low, DelayBounds.high);
  CreateBeats = std::clamp(found.beats, BeatBounds.low, BeatBounds.high);
  CreateArrows = ArrowsFrom::Music;
}

// Under the title: how the listening goes, then what it found.
void DrawFinding(int y) {
  if (Listening) {
    float done = SongAnalysisProgress();
    DrawPanel(Box{170, y, static_cast<int>(300 * std::clamp(done, 0.0f, 1.0f)), 4}, PanelStyle::Highlighted);
    DrawText(320, y - 3, "listening to the music", TextAlign::Centre);
    return;
  }
  const MusicAnalysis* found = AnalysedSong(SelectedSong);
  if (!found) return;
  if (found->bpm > 0 && found->confidence >= SureConfidence)
    DrawText(320, y, "found in the music: " + std::to_string(static_cast<int>(found->confidence * 100)) + " % sure", TextAlign::Centre);
  else
    DrawText(320, y, "the music gave no clear beat", TextAlign::Centre);
}

// Whether the song's music has been heard with a beat its arrows can follow.
bool MusicOffered(const MusicAnalysis* found) { return found && found->bpm > 0 && !found->onsets.empty(); }

std::string ChartToWrite() {
  const MusicAnalysis* found = AnalysedSong(SelectedSong);
  if (CreateArrows == ArrowsFrom::Music && MusicOffered(found))
    return MusicChartText(*found, CreateBpm, CreateDelayMs, CreateBeats);
  return GenerateChartText(CreateBpm, CreateDelayMs, CreateBeats);
}

// A chart that cannot be saved keeps the screen, which says why.
void WriteChart() {
  std::string why;
  if (ReplaceChart(SelectedSong, ChartToWrite(), why))
    Screen = ScreenId::DifficultySelect;
  else  // the line for a folder outside Music/ says it all, and fits the window only alone
    CreateNotice = why == OutsideMusicLine ? why : "could not save the chart: " + why;
}

void AskTheQuestions() {
  DrawFinding(40);
  AskTempo(135);
  AskValue(215, "When does the first beat occur?", CreateDelayMs, " millisecond delay", DelayBounds, true);
  AskValue(295, "How many beats are there before the song ends?", CreateBeats, " arrows", BeatBounds);
  const MusicAnalysis* found = AnalysedSong(SelectedSong);
  AskArrows(335, MusicOffered(found));
  if (Button(Centred(320, 375, 600, 10), "Accept")) WriteOrAsk(AskingToReplace, WriteChart);
}

// On entry the analysis starts (or its kept result fills the values at once);
// when it ends while the screen is open, its values are taken.
void FollowAnalysis() {
  if (ScreenChanged) {
    StartSongAnalysis(SelectedSong, MusicPath(SelectedSong));
    Listening = true;
    CreateArrows = ArrowsFrom::RandomBeats;  // the last song's choice is no choice for this one's music
  }
  if (Listening && !SongAnalysing(SelectedSong)) {
    Listening = false;
    if (const MusicAnalysis* found = AnalysedSong(SelectedSong)) TakeFoundValues(*found);
  }
}

}  // namespace

bool ChartCreateListening() { return Listening; }

void RunChartCreate() {
  if (ScreenChanged) {
    AskingToReplace = false;
    CreateNotice.clear();
  }
  FollowAnalysis();
  RunChartMaker(AskingToReplace, CreateNotice, AskTheQuestions, WriteChart);
  if (Screen != ScreenId::ChartCreate) {  // leaving stops the listening; what it found is kept
    CancelSongAnalysis();
    Listening = false;
  }
}
