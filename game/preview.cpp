// The preview of the song list, timed by the music's clock where the device
// counts it, else by the game clock.
#include "game/preview.h"

#include <algorithm>

#include "charts/library.h"
#include "charts/music_file.h"
#include "charts/music_length.h"
#include "charts/safe_file.h"
#include "game/song_start.h"
#include "kit/audio.h"
#include "kit/clock.h"

namespace {

std::string LitSong;             // the song lit, as last seen
int32_t LitSinceMs = 0;          // GameClockMs when it was lit
bool Tried = false;              // its music was loaded (or failed to load)
Music* PreviewMusic = nullptr;
SampleSpan Span;
int32_t PassStartMs = 0;         // GameClockMs when the current pass began
bool FadingOut = false;

int32_t LengthMs() { return static_cast<int32_t>(std::min(Span.length, 3600.0) * 1000); }
int32_t FadeMs() { return std::min(PreviewFadeMs, LengthMs() / 4); }

void PlayPass() {
  FadeInMusicAt(PreviewMusic, FadeMs(), Span.start);
  PassStartMs = GameClockMs;
  FadingOut = false;
}

void StartPreview(const std::string& stepFile) {
  Tried = true;
  // The decoder opens the file by name and would wait forever on a FIFO, or read a padded one whole.
  std::string music = MusicPath(LitSong);
  PreviewMusic = MusicFault(music).empty() ? LoadSongMusic(music) : nullptr;
  if (PreviewMusic == nullptr) return;
  Span = SampleSpanOf(music, stepFile.empty() ? stepFile : MusicPath(stepFile));
  PlayPass();
}

}  // namespace

void UpdatePreview(const std::string& song, const std::string& stepFile) {
  if (song != LitSong) {
    StopPreview();
    LitSong = song;
    LitSinceMs = GameClockMs;
    return;
  }
  if (song.empty()) return;
  if (!Tried) {
    if (GameClockMs - LitSinceMs >= PreviewDelayMs) StartPreview(stepFile);
    return;
  }
  if (PreviewMusic == nullptr) return;
  // Music that stopped (faded out, or shorter than the sample) waits for the next pass by the game clock.
  int32_t into = MusicClockRuns() && MusicPlaying() ? ReadHeardMs(LastTicks) : GameClockMs - PassStartMs;
  if (!FadingOut && into >= LengthMs() - FadeMs()) {
    FadeOutMusic(FadeMs());
    FadingOut = true;
  }
  if (into >= LengthMs()) PlayPass();  // over again
}

void StopPreview() {
  if (PreviewMusic != nullptr) {
    HaltMusic();
    FreeMusic(PreviewMusic);
  }
  PreviewMusic = nullptr;
  Tried = false;
  LitSong.clear();
}

bool PreviewPlaying() { return PreviewMusic != nullptr && MusicPlaying(); }

int32_t PreviewDueMs() {
  if (LitSong.empty()) return -1;
  if (!Tried) return LitSinceMs + PreviewDelayMs;
  if (PreviewMusic == nullptr) return -1;
  return PassStartMs + (FadingOut ? LengthMs() : LengthMs() - FadeMs());
}
