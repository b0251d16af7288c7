// The song start: music, notes and the song clock's anchor.
#include "game/song_start.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "charts/chart_on_demand.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "charts/text.h"
#include "game/play_state.h"
#include "game/scroll.h"
#include "kit/clock.h"
#include "kit/window.h"

namespace {

constexpr size_t SniffBytes = 256 * 1024;  // where the first frames must be, tags included

// Kilobits a second by [MPEG 1, 2][layer I, II, III][index]; MPEG 2 shares layer II's row for III.
constexpr int Kbps[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};

// The length in bytes of the MPEG audio frame whose header starts at h, or 0 for no header.
size_t FrameLength(const unsigned char* h) {
  if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return 0;
  const int version = (h[1] >> 3) & 3;  // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5, 1 reserved
  const int layer = 3 - ((h[1] >> 1) & 3);  // 0 layer I, 1 II, 2 III, 3 reserved
  const int bitrate = h[2] >> 4, rateIndex = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
  if (version == 1 || layer == 3 || bitrate == 0 || bitrate == 15 || rateIndex == 3) return 0;
  const int rate = (rateIndex == 0 ? 44100 : rateIndex == 1 ? 48000 : 32000) >> (version == 3 ? 0 : version == 2 ? 1 : 2);
  const long bits = Kbps[version == 3 ? 0 : 1][layer][bitrate] * 1000L;
  if (layer == 0) return static_cast<size_t>((12 * bits / rate + padding) * 4);
  return static_cast<size_t>((layer == 2 && version != 3 ? 72 : 144) * bits / rate + padding);
}

// Two frame headers in a row, the second where the first one's length says.
bool HasMpegFrames(const std::string& bytes) {
  size_t start = 0;
  if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {  // skip the tag: a size of 4 x 7 bits
    size_t size = 0;
    for (int i = 6; i < 10; ++i) size = size << 7 | (static_cast<unsigned char>(bytes[i]) & 0x7F);
    start = 10 + size + ((bytes[5] & 0x10) != 0 ? 10 : 0);
  }
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t at = start; at + 4 <= bytes.size(); ++at) {
    size_t length = FrameLength(data + at);
    if (length >= 4 && at + length + 4 <= bytes.size() && FrameLength(data + at + length) > 0) return true;
  }
  return false;
}

// Starts the music; for a lead-in paused before the mixer plays a sample of it.
bool PlayMusicFromStart(bool paused) {
  SDL_LockAudio();
  bool playing = Mix_PlayMusic(CurrentMusic, 0) == 0;
  if (playing && paused) Mix_PauseMusic();
  SDL_UnlockAudio();
  return playing;
}

}  // namespace

std::string MusicFault(const std::string& path) {
  FileRead found = FileRead::Read;
  int fd = OpenFileToRead(path, SIZE_MAX, found);  // no FIFO or folder reaches the decoder
  if (fd < 0) return "the file cannot be read";
  std::string bytes(SniffBytes, '\0');
  long got = ReadPiece(fd, bytes.data(), bytes.size());
  close(fd);
  bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  const bool ogg = path.size() >= 4 && SameLetters(std::string_view(path).substr(path.size() - 4), ".ogg");
  if (ogg) return bytes.compare(0, 4, "OggS") == 0 ? "" : "it is not Ogg audio";
  return HasMpegFrames(bytes) ? "" : "it holds no MP3 audio";
}

int32_t LeadInMs(const std::vector<Note>& notes, double scrollSpeed, int32_t offsetMs) {
  if (notes.empty() || !(scrollSpeed > 0)) return 0;
  int64_t first = notes.front().time;
  for (const Note& note : notes) first = std::min<int64_t>(first, note.time);
  const double riseMs = RiseMs(scrollSpeed);
  return static_cast<int32_t>(std::clamp<double>(riseMs - (first + offsetMs), 0, riseMs));
}

bool StartSong(const std::string& song, int difficulty) {
  if (CurrentMusic != nullptr) Mix_FreeMusic(CurrentMusic);  // never left behind by the play screen
  CurrentMusic = nullptr;
  PopupList.clear();
  NoteList = ReadSongSection(song, difficulty);
  ResetPlayState();
  const int32_t leadIn = LeadInMs(NoteList, ScrollSpeed, AudioOffsetMs + VisualOffsetMs);
  LeadingIn = leadIn > 0;
  SongPosition = -AudioOffsetMs - leadIn;  // the first frame's step is then the time that really passed
  std::string fault = MusicFault(MusicPath(song));
  if (fault.empty()) {
    CurrentMusic = Mix_LoadMUS(MusicPath(song).c_str());
    if (CurrentMusic == nullptr || !PlayMusicFromStart(LeadingIn)) fault = Mix_GetError();
  }
  MusicProblem = fault.empty() ? "" : "cannot play " + DisplayName(song.substr(song.rfind('/') + 1), 0) + ": " + fault;
  if (!fault.empty()) {
    Mix_FreeMusic(CurrentMusic);
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
