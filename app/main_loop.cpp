// Start-up, the frame and the dispatcher.
#include "app/main_loop.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/settings.h"
#include "charts/safe_file.h"
#include "charts/settings_write.h"
#include "game/media.h"
#include "game/play.h"
#include "game/song_start.h"
#include "kit/audio.h"
#include "kit/clock.h"
#include "kit/focus.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "kit/pause.h"
#include "kit/window.h"
#include "screens/calibration.h"
#include "screens/chart_create.h"
#include "screens/chart_import.h"
#include "screens/difficulty_select.h"
#include "screens/options.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "screens/title.h"

namespace {

// "Back" returns to the difficulty select; the song's end shows the results.
ScreenId AfterPlay(PlayOutcome outcome) {
  switch (outcome) {
    case PlayOutcome::Playing: return ScreenId::Play;
    case PlayOutcome::Abandoned:
      FocusPlayedChart = true;
      return ScreenId::DifficultySelect;
    case PlayOutcome::Finished: return ScreenId::Results;
  }
  return ScreenId::Play;
}

// A still screen shows exactly what its state and input say: with neither
// changing, its next frame is the same picture (the song list says when its
// banner or preview is due: ScreenDueMs). The song and its start move on
// their own, and so does the calibration with its clicks; the options are
// drawn every frame too, for what they time.
bool ScreenIsStill(ScreenId screen) {
  switch (screen) {
    case ScreenId::Title:
    case ScreenId::Credits:
    case ScreenId::DifficultySelect:
    case ScreenId::ChartImport:
    case ScreenId::SongSelect:
    case ScreenId::Results: return true;
    case ScreenId::ChartCreate: return !ChartCreateListening();  // the progress bar moves
    case ScreenId::Options:
    case ScreenId::Calibration:
    case ScreenId::SongStart:
    case ScreenId::Play: return false;
  }
  return false;
}

int QuietFrames = 0;  // frames in a row with nothing that could change the picture
int LastMouseX = -1, LastMouseY = -1;
ScreenId LastScreen = ScreenId::Title;

}  // namespace

bool StartUp() {
  std::srand(static_cast<unsigned>(CalendarSeconds()));  // the chart generator draws from rand
  // Without a display SDL would fall back to drawing the game as coloured
  // text in the terminal; a driver the player names is theirs to choose.
  if (std::getenv("DISPLAY") == nullptr && std::getenv("SDL_VIDEODRIVER") == nullptr) {
    std::fprintf(stderr, "Zedov: no display to open the window on (DISPLAY is not set)\n");
    return false;
  }
  // Everything but SDL's timers, which the game never sets: their thread
  // would wake every millisecond for nothing. A missing joystick or CD
  // drive is no reason to stop.
  SDL_Init(SDL_INIT_EVERYTHING & ~SDL_INIT_TIMER);
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
    std::fprintf(stderr, "Zedov: cannot start SDL video: %s\n", SDL_GetError());
    return false;
  }
  SDL_ShowCursor(0);
  LoadSettings();
  RemoveStaleTempFiles("Music", 2);  // song packs: Music/Pack/Song/
  RemoveStaleSettingsTempFiles(SettingsPath);
  if (!OpenWindow(PlayerSettings.windowScale, PlayerSettings.fullScreen != 0)) {
    std::fprintf(stderr, "Zedov: cannot open the 640 x 480 window: %s\n", SDL_GetError());
    return false;
  }
  SDL_WM_SetCaption("Zedov", nullptr);
  OpenJoysticks();
  OpenAudio(PlayerSettings.audioBuffer);
  UseSettings(PlayerSettings);  // the volume needs the audio device
  LoadGameMedia();
  LoadKitMedia();
  return true;
}

uint32_t FrameDelayMs(uint32_t elapsedMs) { return elapsedMs < FramePeriodMs ? FramePeriodMs - elapsedMs : 0; }

void RunMainLoop() {
  while (!QuitRequested) {
    uint32_t start = ClockTicks();
    RunFrame();
    SampleInputUntilNextFrame(start);
  }
}

void SampleInputUntilNextFrame(uint32_t frameStart) {
  for (;;) {
    SampleInput();
    uint32_t delay = FrameDelayMs(ClockTicks() - frameStart);
    if (delay == 0) return;
    WaitForInput(delay);
  }
}

bool FrameWanted() {
  bool quiet = FrameChanges.empty() && !InputWaiting() && !AnythingHeld() && MouseX == LastMouseX &&
               MouseY == LastMouseY && PauseLevel == 0.0 && !PauseWanted && ScreenIsStill(Screen) &&
               !ScreenChanged && Screen == LastScreen && !(ScreenDueMs >= 0 && GameClockMs >= ScreenDueMs);
  QuietFrames = quiet ? QuietFrames + 1 : 0;
  LastMouseX = MouseX, LastMouseY = MouseY, LastScreen = Screen;
  return QuietFrames <= 2;
}

void RunFrame() {
  UpdateInput();
  bool pausedBefore = PauseLevel != 0.0;
  AdvanceGameClock(pausedBefore);  // the frame's time is the moment its input was taken
  if (!FrameWanted()) {
    DrainEvents();
    return;
  }
  // On the play screen the arrows are the columns; its pause has a menu of its own.
  FocusEnabled = pausedBefore || (Screen != ScreenId::Play && Screen != ScreenId::SongStart);
  BeginFocusFrame();
  if (!pausedBefore) RunDispatcher();
  ApplyPauseChoice(UpdatePause(Screen == ScreenId::Play));
  DrawFrameChrome();
  bool newScreen = !pausedBefore && ScreenChanged;
  if (newScreen || pausedBefore != (PauseLevel != 0.0)) RestartFocus();
  EndFocusFrame();
  SampleInput();  // what came in while the frame was drawn, before the flip's wait
  PresentFrame();
  DrainEvents();
}

void ApplyPauseChoice(PauseChoice choice) {
  switch (choice) {
    case PauseChoice::None:
    case PauseChoice::Resume: break;
    case PauseChoice::Exit: QuitRequested = true; break;
    case PauseChoice::RestartSong:  // the same chart from its start; nothing judged so far counts
      Screen = ScreenId::SongStart;
      break;
    case PauseChoice::DifficultySelect:
      StopSong();
      FocusPlayedChart = true;
      Screen = ScreenId::DifficultySelect;
      ScreenChanged = true;  // its entry work reads the files again
      break;
  }
}

void DrawFrameChrome() {
  DrawCursor();
  DrawImage(BorderImage, nullptr, 0, 0);
}

void DrainEvents() {
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0)
    if (event.type == SDL_QUIT) QuitRequested = true;
}

void RunDispatcher() {
  SDL_BlitSurface(GameBackground, nullptr, ScreenSurface, nullptr);
  ScreenId before = Screen;
  ScreenDueMs = -1;
  switch (before) {
    case ScreenId::Title: RunTitleScreen(); break;
    case ScreenId::Credits: RunCreditsScreen(); break;
    case ScreenId::SongSelect: RunSongSelect(); break;
    case ScreenId::DifficultySelect: RunDifficultySelect(); break;
    case ScreenId::ChartCreate: RunChartCreate(); break;
    case ScreenId::ChartImport: RunChartImport(); break;
    case ScreenId::SongStart:
      // Music that cannot be played: back, with a line saying why.
      Screen = StartSong(SelectedSong, SelectedDifficulty) ? ScreenId::Play : ScreenId::DifficultySelect;
      FocusPlayedChart = Screen == ScreenId::DifficultySelect;
      break;
    case ScreenId::Play: Screen = AfterPlay(RunPlayScreen()); break;
    case ScreenId::Results: RunResults(); break;
    case ScreenId::Options: RunOptions(); break;
    case ScreenId::Calibration: RunCalibration(); break;
  }
  ScreenChanged = Screen != before;
}
