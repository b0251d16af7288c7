// The calibration screen: ready, tapping, and the proposal.
#include "screens/calibration.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "screens/screen_state.h"
#include "game/click_track.h"
#include "kit/clock.h"
#include "kit/focus.h"
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/panels.h"
#include "screens/options.h"

namespace {

enum class Phase : int { Ready, Tapping, Proposing };
Phase Now = Phase::Ready;

constexpr int LineY = 200;  // the offsets' line: x 320 is on the click, 1 pixel a millisecond
constexpr int TapKeys[] = {SDLK_LEFT, SDLK_DOWN, SDLK_UP, SDLK_RIGHT, SDLK_SPACE, SDLK_RETURN, SDLK_KP_ENTER};

void Fill(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Rect box = MakeRect(x, y, w, h);
  SDL_FillRect(ScreenSurface, &box, SDL_MapRGB(ScreenSurface->format, r, g, b));
}

std::string Ms(int ms) { return (ms > 0 ? "+" : "") + std::to_string(ms) + " ms"; }

// The line, its ends and middle, a dot per tap and the median's mark.
void DrawOffsets() {
  Fill(320 - TapReachMs, LineY, 2 * TapReachMs, 2, 200, 210, 230);
  Fill(319, LineY - 10, 2, 22, 200, 210, 230);
  DrawText(320 - TapReachMs, LineY + 20, "early", TextAlign::Left);
  DrawText(320 + TapReachMs, LineY + 20, "late", TextAlign::Right);
  for (int offset : TapOffsets) Fill(317 + offset, LineY - 2, 6, 6, 120, 220, 255);
  if (TapOffsets.empty()) return;
  int median = MedianOffset(TapOffsets);
  Fill(319 + median, LineY - 16, 3, 34, 255, 210, 80);
  DrawText(320, LineY + 50, "median " + Ms(median), TextAlign::Centre);
}

// The game clock when a key or the left button of this frame went down, by
// its stamp; without one (a table filled by hand) the frame's best guess.
int32_t PressedAt(int code, bool button) {
  for (const InputChange& change : FrameChanges)
    if (change.down && change.button == button && change.code == code) return GameClockAt(change.stampMs);
  return PressClock();
}

// The millisecond clock when a key of this frame went down, by its stamp;
// the frame's own moment without one or for one from the pause.
uint32_t PressTicks(int code) {
  for (const InputChange& change : FrameChanges)
    if (change.down && !change.button && change.code == code)
      return ClockStoodAt(change.stampMs) ? ClockRunningSince : change.stampMs;
  return LastTicks;
}

// This frame's taps.
void TakeTaps() {
  for (int key : TapKeys)
    if (KeyStates[key] == KeyState::Pressed) TakeTap(PressedAt(key, false), PressTicks(key));
}

// When Start was pressed: by the mouse, Enter (or a pad's select), or the keypad's Enter.
int32_t StartPressedAt() {
  if (MouseButtons[SDL_BUTTON_LEFT] == KeyState::Pressed) return PressedAt(SDL_BUTTON_LEFT, true);
  return PressedAt(KeyStates[SDLK_RETURN] == KeyState::Pressed ? SDLK_RETURN : SDLK_KP_ENTER, false);
}

void Leave(ScreenId next) {
  StopClicks();
  Now = Phase::Ready;
  Screen = next;
}

}  // namespace

void RunCalibration() {
  if (ScreenChanged) Now = Phase::Ready;
  const Phase phase = Now;  // what this frame shows; taps may end it for the next
  DrawText(320, 40, "Tap an arrow, Space or Enter on each click", TextAlign::Centre);
  if (phase == Phase::Tapping) {
    // The keys are taps now, not the menu's; the mouse can still leave.
    FocusEnabled = false;
    FocusMove = 0;
    TakeTaps();
    if (ClicksDone(TrackMsAt(GameClockMs, LastTicks))) {
      Now = Phase::Proposing;
      FocusNextFrame(FocusIdOf("Use this offset"));  // so Enter takes it
    }
    DrawText(320, 80, std::to_string(TapOffsets.size()) + " of " + std::to_string(TapClicks) + " taps", TextAlign::Centre);
    if (PausePressed()) {  // the pause: the clicks stop, to start again after it
      StopClicks();
      Now = Phase::Ready;
    }
  }
  DrawOffsets();
  // By keys, Enter with no button focused starts, and takes the proposal.
  const bool enter = FocusedId == 0 && FocusIndex < 0 && EnterPressed();
  if (phase == Phase::Ready && (Button(Centred(320, 330, 300, 10), "Start") || enter)) {
    StartClicks(StartPressedAt());
    Now = Phase::Tapping;
  }
  if (phase == Phase::Proposing && !TapOffsets.empty()) {
    DrawText(320, 290, "Audio offset " + Ms(MedianOffset(TapOffsets)) + "?", TextAlign::Centre);
    if (Button(Centred(320, 330, 300, 10), "Use this offset") || enter) {
      Settings s = PlayerSettings;
      s.audioOffsetMs = std::clamp(MedianOffset(TapOffsets), -LongestOffsetMs, LongestOffsetMs);
      ChangeSettings(s);
      Leave(ScreenId::Options);
    }
  }
  if (phase == Phase::Proposing && TapOffsets.empty()) DrawText(320, 290, "No taps near the clicks", TextAlign::Centre);
  if (phase == Phase::Proposing && Button(Centred(320, 370, 300, 10), "Try again")) {
    StartClicks(StartPressedAt());
    Now = Phase::Tapping;
  }
  if (BackButton()) Leave(ScreenId::Options);
}
