// The click track, made here sample by sample, and the taps on it.
#include "game/click_track.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "kit/audio.h"
#include "kit/clock.h"

namespace {

constexpr int SampleRate = 44100;
constexpr int TrackMs = FirstTapClickMs + ClickGapMs * TapClicks;

std::string ClickTrack;  // a WAV file in memory, read by the music decoder while it plays
Music* ClickMusic = nullptr;
int32_t SkippedMs = 0;   // cut from the track's start

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A click: a 25 ms tone that starts at full strength on its first sample and
// dies away; the lead-in's is an octave lower.
void AddClick(std::vector<int16_t>& samples, int atMs, double hertz) {
  const int first = atMs * SampleRate / 1000;
  const int length = SampleRate / 40;
  for (int i = 0; i < length && first + i < static_cast<int>(samples.size()); ++i) {
    double t = static_cast<double>(i) / SampleRate;
    samples[first + i] = static_cast<int16_t>(16000 * std::exp(-t / 0.006) * std::sin(2 * M_PI * hertz * t));
  }
}

// 16-bit mono PCM in a RIFF WAVE file, without its first skipMs.
std::string MakeClickTrack(int skipMs) {
  std::vector<int16_t> samples(static_cast<size_t>(TrackMs) * SampleRate / 1000);
  for (int i = 0; i < LeadInClicks; ++i) AddClick(samples, FirstTapClickMs - ClickGapMs * (LeadInClicks - i), 880);
  for (int i = 0; i < TapClicks; ++i) AddClick(samples, FirstTapClickMs + ClickGapMs * i, 1760);
  samples.erase(samples.begin(), samples.begin() + skipMs * SampleRate / 1000);
  const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
  std::string wav = "RIFF";
  PutLittleEndian(wav, 36 + bytes, 4);
  wav += "WAVEfmt ";
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);  // PCM
  PutLittleEndian(wav, 1, 2);  // one channel
  PutLittleEndian(wav, SampleRate, 4);
  PutLittleEndian(wav, SampleRate * 2, 4);
  PutLittleEndian(wav, 2, 2);
  PutLittleEndian(wav, 16, 2);
  wav += "data";
  PutLittleEndian(wav, bytes, 4);
  for (int16_t sample : samples) PutLittleEndian(wav, static_cast<uint16_t>(sample), 2);
  return wav;
}

}  // namespace

std::optional<int> TapOffset(int tapMs) {
  int nearest = std::clamp((tapMs - FirstTapClickMs + ClickGapMs / 2) / ClickGapMs, 0, TapClicks - 1);
  int offset = tapMs - (FirstTapClickMs + ClickGapMs * nearest);
  if (offset < -TapReachMs || offset > TapReachMs) return std::nullopt;
  return offset;
}

int MedianOffset(std::vector<int> offsets) {
  if (offsets.empty()) return 0;
  std::sort(offsets.begin(), offsets.end());
  size_t middle = offsets.size() / 2;
  if (offsets.size() % 2 == 1) return offsets[middle];
  return (offsets[middle - 1] + offsets[middle]) / 2;
}

bool ClicksDone(int nowMs) {
  return static_cast<int>(TapOffsets.size()) >= TapClicks ||
         nowMs > FirstTapClickMs + ClickGapMs * (TapClicks - 1) + TapReachMs;
}

void StartClicks(int32_t pressedAt) {
  StopClicks();
  // The track is cut by the time since Start was pressed, so that its clicks
  // come when they are due counted from the press.
  ClicksStart = pressedAt;
  SkippedMs = std::clamp(GameClockNow() - pressedAt, 0, 1000);
  ClickTrack = MakeClickTrack(SkippedMs);
  ClickMusic = LoadMusicFromMemory(ClickTrack.data(), static_cast<int>(ClickTrack.size()));
  PlayMusic(ClickMusic, false);
  TapOffsets.clear();
}

void StopClicks() {
  FreeMusic(ClickMusic);  // also stops it
  ClickMusic = nullptr;
}

int32_t TrackMsAt(int32_t gameClockMs, uint32_t ticks) {
  if (!MusicClockRuns() || ClickMusic == nullptr) return gameClockMs - ClicksStart;
  return HeardMsAt(ticks) + SkippedMs;
}

void TakeTap(int32_t gameClockMs, uint32_t ticks) {
  if (std::optional<int> offset = TapOffset(TrackMsAt(gameClockMs, ticks))) TapOffsets.push_back(*offset);
}
