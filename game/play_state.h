// The state of the song being played: its notes, the judgement words in the
// air, the counters, the column timers, the song clock and the music. Set up
// by the song start, moved on by the judgement, drawn by the play screen and
// read by the results.
#pragma once
#include <cstdint>
#include <vector>

#include "charts/chart_file.h"
#include "game/scroll.h"
#include "kit/audio.h"

// The notes still to judge, in chart order, never sorted: the judgement's
// tie-break depends on it. Judged notes are removed.
inline std::vector<Note> NoteList;

// The mines still to pass, in chart order; a mine that explodes or is passed is removed.
inline std::vector<Note> MineList;

// The judgement words, and "MINE" for a mine stepped on; the value is also the cell of RatingSheet.
enum Rating : int { Boo = 0, Good = 1, Perfect = 2, Mine = 3 };

// A judgement word floating up the play screen.
struct RatingPopup {
  int32_t x = 258;
  int32_t y = TargetLineY;
  int rating = Boo;
};

// The judgement word in the air: the newest replaces any still rising.
inline std::vector<RatingPopup> PopupList;

// The counters of one song, reset by the song start.
inline int32_t BooCount = 0;
inline int32_t GoodCount = 0;
inline int32_t PerfectCount = 0;
inline int32_t Combo = 0;         // GOOD or PERFECT judgements since the last miss
inline int32_t LongestCombo = 0;  // raised by the play's step once per frame
inline int32_t MinesHit = 0;
inline int32_t ChartMines = 0;  // the mines of the chart being played

// Press timer per column: 0 idle, 125 pressed this frame, 2..124 counting
// down after a press, 1 still held after the countdown.
inline int32_t ColumnTimer[4];

// The song clock.
inline int32_t AudioOffsetMs = 0;  // the player hears the music this long after it starts; from the settings
inline int32_t PlayStart = 0;      // GameClockMs at which the music started
inline int32_t SongPosition = 0;  // milliseconds of the song heard less AudioOffsetMs (game/song_clock.h)
inline int32_t FrameDelta = 0;    // how far SongPosition moved in the current play frame

inline bool LeadingIn = false;  // the music waits, paused, until the song clock reaches 0
inline Music* CurrentMusic = nullptr;  // loaded by the song start, freed by the play screen; null when it would not load

// Removes the note or popup at an index; the rest keep their order.
void RemoveNote(int index);
void RemovePopup(int index);

// Zeroes the counters, the timers and the song position; forgets the press timings.
void ResetPlayState();
