// The pause: its toggle, overlay, buttons and clock bars.
#include "kit/pause.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "kit/clock.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "kit/pause_pixels.h"

namespace {

const char* const DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const MonthNames[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};
const char* const DayOrdinals[31] = {
    "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th", "11th",
    "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th", "21st", "22nd",
    "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"};

// A table entry, or an empty text for a field out of its range.
template <int N>
const char* Entry(const char* const (&table)[N], int i) {
  return i >= 0 && i < N ? table[i] : "";
}

// Appends one number the way the clock line is built: "%s%d".
void AppendNumber(std::string& text, int n) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s%d", text.c_str(), n);
  text = buffer;
}

// Both bar lines end at x 620.
void DrawBarLine(int y, const std::string& text) {
  DrawText(620 - GlyphAdvance * static_cast<int>(text.size()), y, text, TextAlign::Left);
}

}  // namespace

int SlidePosition(int from, int to, double t) {
  return static_cast<int>((100 - t) / 100 * from + t / 100 * to);
}

std::string DateText(const std::tm& when) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%s%s%s%s%s%s%d", Entry(DayNames, when.tm_wday), " ",
                Entry(MonthNames, when.tm_mon), " ", Entry(DayOrdinals, when.tm_mday - 1), " ",
                when.tm_year + 1900);
  return buffer;
}

std::string ClockText(const std::tm& when) {
  std::string text;
  int hour = when.tm_hour;
  AppendNumber(text, hour > 12 ? hour - 12 : hour == 0 ? 12 : hour);
  text += when.tm_min < 10 ? ":0" : ":";
  AppendNumber(text, when.tm_min);
  text += when.tm_sec < 10 ? ":0" : ":";
  AppendNumber(text, when.tm_sec);
  text += hour > 11 ? " PM" : " AM";
  return text;
}

bool PausePressed() { return KeyStates[SDLK_ESCAPE] == KeyState::Pressed && !EscapeTaken; }

bool PauseStartedAt(uint32_t stampMs) {
  uint32_t press = 0;
  return !EscapeTaken && FirstPressStamp(SDLK_ESCAPE, press) && static_cast<int32_t>(stampMs - press) >= 0;
}

bool TakePauseKey() {
  if (KeyStates[SDLK_ESCAPE] != KeyState::Pressed) return false;
  EscapeTaken = true;
  return true;
}

PauseChoice UpdatePause(bool songMenu) {
  if (PausePressed()) {
    PauseWanted = !PauseWanted;
    // Reopening during the fade-out keeps the pictures frozen before.
    if (PauseWanted && PauseLevel == 0.0) FreezeScreen();
    if (PauseWanted && songMenu) FocusOn(FocusIdOf("Resume game"));  // so Escape, Down, Enter restarts the song
  }
  EscapeTaken = false;
  DrawPauseOverlay(PauseLevel);
  PauseLevel = NextPauseLevel(PauseLevel, PauseWanted);
  if (PauseLevel == 0.0) return PauseChoice::None;
  ClockBarTime = LocalTimeNow();
  PauseChoice choice = PauseButtons(songMenu);
  DrawClockBars();
  if (choice == PauseChoice::Resume) PauseWanted = false;
  if (choice == PauseChoice::RestartSong || choice == PauseChoice::DifficultySelect) {
    PauseWanted = false;  // the player leaves the song at once
    PauseLevel = 0.0;
  }
  return choice == PauseChoice::Resume ? PauseChoice::None : choice;
}

void DrawPauseOverlay(double t) {
  if (t == 0.0) return;
  if (t == 100.0) {
    DrawImage(BlurImage, nullptr, 0, 0);
    return;
  }
  BlendIntoSurface(ScreenSurface, static_cast<int>(t));
}

double NextPauseLevel(double t, bool wanted) {
  if (wanted) return std::min(100.0, (14 * t + 100) / 15 + 0.5);
  return std::max(0.0, 14 * t / 15 - 0.5);
}

PauseChoice PauseButtons(bool songMenu) {
  const double t = PauseLevel;
  int row = 0;
  auto button = [&](const char* label) {
    int y = 115 + 50 * row++;
    return Button(Centred(320, SlidePosition(y + 480, y, t), 300, 15), label);
  };
  PauseChoice choice = PauseChoice::None;
  if (button("Resume game")) choice = PauseChoice::Resume;
  if (songMenu && button("Restart song")) choice = PauseChoice::RestartSong;
  if (songMenu && button("Song list")) choice = PauseChoice::DifficultySelect;
  if (button("Exit")) choice = PauseChoice::Exit;
  return choice;
}

void DrawClockBars() {
  const int d = SlidePosition(61, 0, PauseLevel);
  DrawImage(BarImage, nullptr, 0, -70 - d);
  DrawBarLine(18 - d, DateText(ClockBarTime));
  DrawBarLine(38 - d, ClockText(ClockBarTime));
  DrawImage(BarImage, nullptr, 0, 419 + d);
  DrawText(20, 442 + d, WebAddress, TextAlign::Left);
}
