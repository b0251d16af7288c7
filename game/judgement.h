// Note timing and judgement: the song clock, what was hit, held and missed.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "game/play_state.h"
#include "kit/input.h"

inline constexpr int PressTimerMs = 125;  // a timer at this value is a press in this frame
inline constexpr int MissAfterMs = 125;   // a note later than this is swept as BOO
inline constexpr int PerfectWithinMs = 65;
inline constexpr int GoodWithinMs = 199;  // also the window in which a held hold is fed

// Moves SongPosition to the song heard at the frame's moment (game/song_clock.h)
// less AudioOffsetMs, and sets FrameDelta to the step.
void AdvanceSongClock();

// The song time of a stamp of this frame's input (kit/input.h): the song
// heard at that moment (its game clock, GameClockAt, or the music's clock)
// less AudioOffsetMs. A press at the frame's own time reads as SongPosition.
int32_t SongTimeAt(uint32_t stampMs);

// Once per play frame, after AdvanceSongClock: timers, misses, taps, mines and rolls, holds.
// Each press of the frame is judged at its own stamp's song time, with the
// misses swept as they stood then; a press stamped in the pause is not
// judged. A key let go ends its holds at the release's own time. A press the
// key table shows without a stamp counts at the frame's time, as before
// stamps. Judged taps leave their offsets in PressTimings.
void UpdateJudgement();

// Removes the note at an index and puts its popup over the targets in place
// of any still rising; counters are the caller's.
void JudgeNote(int index, Rating rating);

// time - SongPosition: positive while the note is still ahead.
int64_t NoteDiff(const Note& note);
