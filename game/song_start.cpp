// The song start: music, notes and the song clock's anchor.
#include "game/song_start.h"

#include <SDL.h>

#include "charts/chart_on_demand.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "game/play_state.h"
#include "kit/clock.h"

void StartSong(const std::string& song, int difficulty) {
  if (CurrentMusic != nullptr) Mix_FreeMusic(CurrentMusic);  // never left behind by the play screen
  // The decoder opens the file by name and would wait forever on a FIFO.
  std::string music = MusicPath(song);
  CurrentMusic = IsReadableFile(music) ? Mix_LoadMUS(music.c_str()) : nullptr;
  PopupList.clear();
  NoteList = ReadSongSection(song, difficulty);
  Mix_PlayMusic(CurrentMusic, 0);
  ResetPlayState();
  SongPosition = -AudioOffsetMs;  // the first frame's step is then the time that really passed
  // The GameClockMs reading at the moment the music started, however long the
  // loading took; unsigned arithmetic wraps instead of overflowing.
  uint32_t sinceClock = SDL_GetTicks() - LastTicks;
  PlayStart = static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) + sinceClock);
}
