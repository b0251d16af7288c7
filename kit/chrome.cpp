#include "kit/chrome.h"

#include <SDL.h>

#include "kit/images.h"
#include "kit/panels.h"
#include "kit/prompt.h"

void DrawFrameChrome() {
  uint32_t now = SDL_GetTicks();
  if (ExitPromptLevel == 0.0) GameClockMs += static_cast<int32_t>(now - LastTicks);
  LastTicks = now;
  UpdateExitOverlay();
  if (ExitPromptLevel != 0.0) {
    DrawExitPrompt();
    DrawClockBars();
  }
  DrawCursor();
  DrawImage(BorderImage, nullptr, 0, 0);
}

void UpdateExitOverlay() {}
