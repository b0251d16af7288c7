// The options screen. Rows, top to bottom and in the focus order: audio
// offset, Calibrate, audio buffer, visual offset, scroll speed, a key row per
// column, music volume, window scale, full screen, arrow colours, Back. The
// audio buffer is used from the next start: reopening the device could lose
// it. A value row is its name, "-", the value
// and "+"; "-" and "+" step it under the mouse (held, they repeat), Left and
// Right step it while the value has the keyboard focus. A key row waits, once
// chosen, for the next key or pad button; Escape cancels.
#include "screens/options.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "charts/settings_write.h"
#include "game/play.h"
#include "game/play_state.h"
#include "game/scroll.h"
#include "kit/audio.h"
#include "kit/clock.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "kit/pause.h"
#include "kit/window.h"
#include "screens/screen_state.h"

namespace {

// Room for 13 rows above the line of a save problem (y 398) and "Back".
constexpr int FirstRowY = 24;
constexpr int RowGap = 29;
constexpr int ValueX = 400;  // centre of the value boxes
constexpr int VolumeStep = 5;
constexpr int DefaultKeys[4] = {SDLK_LEFT, SDLK_DOWN, SDLK_UP, SDLK_RIGHT};
constexpr const char* ColumnNames[4] = {"Left arrow", "Down arrow", "Up arrow", "Right arrow"};

int Binding = -1;         // the column waiting for its key, or -1
bool Unsaved = false;     // changed since the file was last written
std::string SaveProblem;  // why the file could not be written, or empty

int RowY(int row) { return FirstRowY + RowGap * row; }

// The steps of a value row in this frame; pressed is set when the value itself was clicked.
int ValueRow(int row, const char* name, const std::string& value, int arrows, bool* pressed = nullptr) {
  const int y = RowY(row);
  const uint32_t now = static_cast<uint32_t>(GameClockMs);
  DrawText(24, y - 10, name, TextAlign::Left);
  int steps = -RepeatButton(Centred(ValueX - 138, y, 24, 10), "-", now);
  bool clicked = Button(Centred(ValueX, y, 200, 10), value, FocusIdOf(name));  // the focus stays as the value changes
  if (LastButtonFocused()) steps += arrows;
  if (pressed != nullptr) *pressed = clicked;
  return steps + RepeatButton(Centred(ValueX + 138, y, 24, 10), "+", now);
}

std::string WithUnit(int value, const char* unit) { return std::to_string(value) + unit; }

std::string SpeedText(double speed) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2fx", speed);
  return text;
}

std::string BufferText(int samples) {
  return std::to_string(samples) + " samples = " + std::to_string(BufferMs(samples)) + " ms";
}

// The audio buffer stepped through its sizes; a size not among them steps from the default.
int StepBuffer(int samples, int steps) {
  const int count = static_cast<int>(std::size(AudioBufferSizes));
  int at = static_cast<int>(std::find(AudioBufferSizes, AudioBufferSizes + count, samples) - AudioBufferSizes);
  if (at == count) at = 2;
  return AudioBufferSizes[std::clamp(at + steps, 0, count - 1)];
}

std::string ScaleText(int scale) {
  return std::to_string(scale) + " (" + std::to_string(WindowWidth * scale) + " x " +
         std::to_string(WindowHeight * scale) + ")";
}

void KeyRow(int row, int column, const Settings& s) {
  const int y = RowY(row);
  const bool waiting = Binding == column;
  DrawText(24, y - 10, waiting ? "Press a key or button" : ColumnNames[column], TextAlign::Left);
  int pad = s.*ColumnPads[column];
  std::string shown = KeyName(BoundKeys[column]) + (pad >= 0 ? ", pad " + std::to_string(pad) : ", no pad");
  if (Button(Centred(ValueX, y, 200, 10), waiting ? "Escape cancels" : shown, FocusIdOf(ColumnNames[column])))
    Binding = waiting ? -1 : column;
}

// A column waiting for its key takes this frame's key or pad button. The
// frame's keys then belong to the binding, not to the menu or the pause.
void TakeBinding(Settings& s) {
  if (Binding < 0) return;
  FocusEnabled = false;
  FocusMove = 0;
  if (TakePauseKey()) {
    Binding = -1;
  } else if (KeyWentDown != 0) {
    BindColumnKey(s, Binding, KeyName(KeyWentDown));
    Binding = -1;
  } else if (PadButtonWentDown >= 0) {
    BindColumnPad(s, Binding, PadButtonWentDown);
    Binding = -1;
  }
}

// Takes the edited settings: used at once, the window reopened when it
// changed, and saved once no key or button is held any more (a held "+"
// writes the file once, when let go) or when the screen is left.
void TakeChanges(const Settings& s, bool leaving) {
  if (!(s == PlayerSettings)) ChangeSettings(s);
  bool held = KeyStates[SDLK_LEFT] != KeyState::Up || KeyStates[SDLK_RIGHT] != KeyState::Up || MouseButtons[SDL_BUTTON_LEFT] != KeyState::Up;
  if (!Unsaved || (held && !leaving)) return;
  SaveProblem = SaveSettings(SettingsPath, PlayerSettings);
  Unsaved = false;
}

// Every row but Back, top to bottom, each changing its value in s.
void EditSettings(Settings& s) {
  const uint32_t now = static_cast<uint32_t>(GameClockMs);
  // Asked every frame, so that a key held before a row got the focus does not jump its value.
  const int arrows = RepeatSteps(SDLK_RIGHT, now) - RepeatSteps(SDLK_LEFT, now);
  s.audioOffsetMs = std::clamp(s.audioOffsetMs + ValueRow(0, "Audio offset", WithUnit(s.audioOffsetMs, " ms"), arrows), -LongestOffsetMs, LongestOffsetMs);
  if (Button(Centred(ValueX, RowY(1), 200, 10), "Calibrate")) Screen = ScreenId::Calibration;
  if (int steps = ValueRow(2, "Audio buffer", BufferText(s.audioBuffer), arrows))
    s.audioBuffer = StepBuffer(s.audioBuffer, steps);
  s.visualOffsetMs = std::clamp(s.visualOffsetMs + ValueRow(3, "Visual offset", WithUnit(s.visualOffsetMs, " ms"), arrows), -LongestOffsetMs, LongestOffsetMs);
  s.scrollSpeed = std::clamp(s.scrollSpeed + ScrollStep * ValueRow(4, "Scroll speed", SpeedText(s.scrollSpeed), arrows),
                             SlowestScroll, FastestScroll);
  for (int column = 0; column < 4; ++column) KeyRow(5 + column, column, s);
  s.musicVolume = std::clamp(s.musicVolume + VolumeStep * ValueRow(9, "Music volume", WithUnit(s.musicVolume, " %"), arrows), 0, LoudestMusic);
  // A scale too big for the desktop, asked for in the file, stands until the player steps it.
  const int shownScale = std::min(s.windowScale, LargestWindowScale());
  if (int steps = ValueRow(10, "Window scale", ScaleText(shownScale), arrows))
    s.windowScale = std::clamp(shownScale + steps, 1, LargestWindowScale());
  bool toggled = false;
  int full = ValueRow(11, "Full screen", s.fullScreen != 0 ? "on" : "off", arrows, &toggled);
  s.fullScreen = toggled ? 1 - s.fullScreen : std::clamp(s.fullScreen + full, 0, 1);
  toggled = false;
  int colours = ValueRow(12, "Arrow colours", s.arrowColoursByBeat ? "by beat" : "by lane", arrows, &toggled);
  s.arrowColoursByBeat = toggled ? !s.arrowColoursByBeat : std::clamp(int{s.arrowColoursByBeat} + colours, 0, 1) != 0;
}

}  // namespace

void ChangeSettings(const Settings& s) {
  bool window = s.windowScale != PlayerSettings.windowScale || s.fullScreen != PlayerSettings.fullScreen;
  PlayerSettings = s;
  UseSettings(s);
  if (window) OpenWindow(s.windowScale, s.fullScreen != 0);
  Unsaved = true;
}

std::string ChangeAndSaveSettings(const Settings& s) {
  ChangeSettings(s);
  SaveProblem = SaveSettings(SettingsPath, PlayerSettings);
  Unsaved = false;
  return SaveProblem;
}

void UseSettings(const Settings& s) {
  AudioOffsetMs = s.audioOffsetMs;
  VisualOffsetMs = s.visualOffsetMs;
  ScrollSpeed = s.scrollSpeed;
  ArrowColoursByBeat = s.arrowColoursByBeat;
  for (int column = 0; column < 4; ++column) {
    int key = KeyNamed(s.*ColumnKeyNames[column]);
    BoundKeys[column] = key != 0 ? key : DefaultKeys[column];
  }
  const int buttons[PadButtonCount] = {s.padLeft, s.padDown, s.padUp, s.padRight, s.padPause, s.padSelect};
  for (int i = 0; i < PadButtonCount; ++i) PadButtons[i].button = buttons[i];
  SetMusicVolume(s.musicVolume);
}

void BindColumnKey(Settings& s, int column, const std::string& key) {
  for (int other = 0; other < 4; ++other)
    if (other != column && s.*ColumnKeyNames[other] == key) s.*ColumnKeyNames[other] = s.*ColumnKeyNames[column];
  s.*ColumnKeyNames[column] = key;
}

void BindColumnPad(Settings& s, int column, int button) {
  for (int other = 0; other < 4; ++other)
    if (other != column && s.*ColumnPads[other] == button) s.*ColumnPads[other] = s.*ColumnPads[column];
  if (s.padPause == button) s.padPause = -1;
  if (s.padSelect == button) s.padSelect = -1;
  s.*ColumnPads[column] = button;
}

void RunOptions() {
  if (ScreenChanged) {
    Binding = -1;
    SaveProblem.clear();
  }
  Settings s = PlayerSettings;
  TakeBinding(s);
  EditSettings(s);
  if (!SaveProblem.empty()) DrawText(24, 398, "could not save the settings: " + SaveProblem, TextAlign::Left);
  bool leaving = BackButton();
  TakeChanges(s, leaving);
  if (leaving) Screen = ScreenId::Title;
}
