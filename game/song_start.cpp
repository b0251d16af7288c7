// The song start: music, notes and the song clock's anchor.
#include "game/song_start.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "charts/chart_on_demand.h"
#include "charts/library.h"
#include "charts/music_file.h"
#include "charts/safe_file.h"
#include "charts/text.h"
#include "game/play_state.h"
#include "game/scroll.h"
#include "kit/clock.h"
#include "kit/window.h"

int32_t LeadInMs(const std::vector<Note>& notes, double scrollSpeed, int32_t offsetMs) {
  if (notes.empty() || !(scrollSpeed > 0)) return 0;
  int64_t first = notes.front().time;
  for (const Note& note : notes) first = std::min<int64_t>(first, note.time);
  const double riseMs = RiseMs(scrollSpeed);
  return static_cast<int32_t>(std::clamp<double>(riseMs - (first + offsetMs), 0, riseMs));
}

Music* LoadSongMusic(const std::string& path) {
  switch (MusicKindOf(path)) {
    case MusicKind::Mp3: return LoadMusic(path, MusicDecoder::Mp3);
    case MusicKind::OggVorbis: return LoadMusic(path, MusicDecoder::Ogg);
    case MusicKind::Wav: return LoadMusic(path, MusicDecoder::Wav);
    case MusicKind::OggOther:
    case MusicKind::Unknown: break;
  }
  return LoadMusic(path);
}

bool StartSong(const std::string& song, int difficulty) {
  FreeMusic(CurrentMusic);  // never left behind by the play screen
  CurrentMusic = nullptr;
  PopupList.clear();
  ChartSection chart = ReadSongChart(song, difficulty);
  NoteList = std::move(chart.notes);
  MineList = std::move(chart.mines);
  ResetPlayState();
  ChartMines = static_cast<int32_t>(MineList.size());
  const int32_t leadIn = LeadInMs(NoteList, ScrollSpeed, AudioOffsetMs + VisualOffsetMs);
  LeadingIn = leadIn > 0;
  SongPosition = -AudioOffsetMs - leadIn;  // the first frame's step is then the time that really passed
  std::string fault = MusicFault(MusicPath(song));
  if (fault.empty()) {
    CurrentMusic = LoadSongMusic(MusicPath(song));
    // For a lead-in, paused before the mixer takes a sample of it.
    if (CurrentMusic == nullptr || !PlayMusic(CurrentMusic, LeadingIn)) fault = AudioError();
  }
  MusicProblem = fault.empty() ? "" : "cannot play " + DisplayName(song.substr(song.rfind('/') + 1), 0) + ": " + fault;
  if (!fault.empty()) {
    FreeMusic(CurrentMusic);
    CurrentMusic = nullptr;
    LeadingIn = false;
    return false;
  }
  // The GameClockMs reading at the moment the music started (or, after the
  // lead-in, will start), however long the loading took; unsigned arithmetic
  // wraps instead of overflowing.
  PlayStart = static_cast<int32_t>(static_cast<uint32_t>(GameClockNow()) + static_cast<uint32_t>(leadIn));
  return true;
}
