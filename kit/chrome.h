// What lies on top of every screen: the pausable game clock, the Escape pause
// overlay, the exit prompt and its clock bars, the pointer and the window border.
#pragma once
#include <cstdint>

inline bool ExitPromptOpen = false;   // the pause is wanted; toggled by Escape
inline double ExitPromptLevel = 0.0;  // 0 closed .. 100 fully faded in; screens run only at 0
inline int32_t GameClockMs = 0;       // milliseconds of unpaused play time
inline uint32_t LastTicks = 0;        // SDL_GetTicks of the previous DrawFrameChrome

// Called once per frame after the dispatcher (also while it is skipped), before the flip.
void DrawFrameChrome();

// The Escape toggle, the freeze of the screen, the fade drawing and the level's step.
void UpdateExitOverlay();
