// Mines and rolls in play. A mine explodes when its column is pressed within
// MineWithinMs of its time or held down through it: a "MINE" popup, the combo
// ends, and the results take MinePenalty points; a mine let pass gives
// nothing. A roll's head is taken by a press of its column within the hold
// window; then the roll lives while the column is tapped again at least every
// RollTapWithinMs, and shrinks with the song like a held hold. A roll that
// lapses is a BOO, as a hold let go; holding the key does not keep it.
#pragma once
#include <cstdint>

inline constexpr int MineWithinMs = 70;
inline constexpr int RollTapWithinMs = 500;
inline constexpr int MinePenalty = 10;  // points taken from YOUR POINTS per mine hit

// Forgets the rolls under way; the song start calls it with the counters' reset.
void ResetRolls();

// A press of a column at its song time, before the press judges taps: it may
// step on a mine, lapse a roll, take a roll's head or keep it alive.
void PressMinesAndRolls(int column, int32_t songMs);

// Once a play frame, after its presses: the live rolls move on or lapse, the
// mines of held columns explode, and mines left behind are gone.
void UpdateMinesAndRolls();
