// The play screen: the song scrolling up to the targets, the judgement words,
// the counters, and the way out (the song's end, "Back", or a pause).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Left edge of each column's arrows; the gaps are 65, 70 and 65.
inline constexpr int ColumnX[4] = {185, 250, 320, 385};
inline constexpr int TargetY = 50;

// How a play frame ends: the song goes on, the player left by "Back", or the music ended.
enum class PlayOutcome : int { Playing, Abandoned, Finished };

// Called every frame while the song plays; the caller moves on by the outcome.
PlayOutcome RunPlayScreen();

// Draws every popup, then lets it rise by FrameDelta / 10; gone once above y -50.
void DrawPopups();

// The four target arrows: idle, just pressed or held, from the column timers.
void DrawTargets();

// Draws the notes (holds first) whose arrow reaches the window; returns how many.
int DrawNotes();

// One hold strip with its top-left at (x, y), for a remaining hold in ms.
void DrawHold(int x, int64_t y, int32_t hold);

// The counter texts: BOO, GOOD, PERFECT, and COMBO from a combo of 3.
std::vector<std::string> CounterLines();
void DrawCounters();

// "Back", the song's end, pausing the music on Escape and resuming it after the pause.
PlayOutcome LeaveOrPause();
