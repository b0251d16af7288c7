// The song list's preview: the song under the pointer or the keyboard focus
// for half a second plays its sample (see SampleSpanOf), fading in and out,
// over and over, until the row is left or the screen changes.
#pragma once
#include <cstdint>
#include <string>

inline constexpr int PreviewDelayMs = 500;  // how long a row is lit before it plays
inline constexpr int PreviewFadeMs = 1000;  // fade in and out, at most a quarter of the sample

// Called every frame by the song list with the lit song (below Music/) and
// its step file (empty for none), or an empty song when no song row is lit.
// Music that cannot be opened stays silent.
void UpdatePreview(const std::string& song, const std::string& stepFile);

// Stops and frees the preview's music; called when the song list is left.
void StopPreview();

// The game clock's time of the preview's next step (its start, its fade-out,
// its next pass), or -1 when none is coming; between, nothing needs a frame.
int32_t PreviewDueMs();

// Whether a preview is playing now (for the tests).
bool PreviewPlaying();
