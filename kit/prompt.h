// The pause overlay's exit prompt ("Resume game", "Exit") and its clock bars.
#pragma once

// Draws the two buttons sliding with ExitPromptLevel; "Exit" sets QuitRequested.
void DrawExitPrompt();

// Draws the top bar with the local date and time and the bottom bar with the web address.
void DrawClockBars();
