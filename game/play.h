// The play screen: the song scrolling up to the targets, the judgement words,
// the counters, and the way out (the song's end, "Back", or a pause). Each
// frame reads "Back", steps the play once, then draws what the state says.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Left edge of each column's arrows; the gaps are 65, 70 and 65.
inline constexpr int ColumnX[4] = {185, 250, 320, 385};

// From the settings: notes coloured by their place in the beat where the chart gives it, else by column.
inline bool ArrowColoursByBeat = false;

// How a play frame ends: the song goes on, the player left by "Back", or the music ended.
enum class PlayOutcome : int { Playing, Abandoned, Finished };

// Called every frame while the song plays; the caller moves on by the outcome.
PlayOutcome RunPlayScreen();

// The play's one step per frame, given whether "Back" was clicked: the
// popups rise, the song clock moves, the judgement runs (timers, misses,
// taps, holds), the combo's record is kept; then the way out: "Back" or the
// music's end stop the song, Escape pauses the music and the next frame resumes it.
PlayOutcome TickPlay(bool back);

// Leaves the song where it stands (the pause's "Song list"): the music stops and is freed.
void StopSong();

// Draws the play as the state says, changing nothing: popups, targets, notes, counters.
void DrawPlay();

// Every popup's rating word at its place.
void DrawPopups();

// The four target arrows: idle, just pressed or held, from the column timers.
void DrawTargets();

// Draws the mines, then the notes (each hold's or roll's strip under its
// arrow) whose picture reaches the window; returns how many notes.
int DrawNotes();

// One hold strip (or roll strip) with its top-left at (x, y), for a remaining hold in ms.
void DrawHold(int x, int64_t y, int32_t hold, bool roll = false);

// The counter texts: BOO, GOOD, PERFECT, and COMBO from a combo of 3.
std::vector<std::string> CounterLines();
void DrawCounters();
