// The sound through SDL_mixer, and the music's clock fed by the audio thread.
#include "kit/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "kit/audio_device.h"
#include "kit/clock.h"

struct Music {
  Mix_Music* mix = nullptr;
  SDL_RWops* source = nullptr;  // the bytes of music loaded from memory
};

namespace {

// A clock with no calls seen, for the same device.
MusicClock FreshClock(const MusicClock& clock) {
  MusicClock fresh;
  fresh.rate = clock.rate, fresh.buffer = clock.buffer, fresh.waiting = clock.waiting;
  return fresh;
}

// Written by the audio thread, read by the main one: the samples of the
// music mixed since it started and when the last of them were, published
// under a sequence number that is odd while they change.
std::atomic<uint64_t> MixedSamples{0};
std::atomic<uint32_t> CountedStamp{0};
std::atomic<uint32_t> CountSequence{0};
std::atomic<bool> MusicMixing{false};    // set where the music plays unpaused, cleared where it stops
std::atomic<bool> FinishedMixing{false};  // the music ran out in the buffer being mixed

bool ClockOpen = false;
int BufferSamples = 1024;
MusicClock Clock;

// In the audio thread, after the mixer filled a buffer. SDL_mixer 1.2 mixes
// the music first and calls its finished hook from there, so a buffer in
// which the music ran out still counts.
void CountMixed(void*, Uint8*, int bytes) {
  uint32_t now = ClockTicks();
  RecordDeviceCall(static_cast<uint64_t>(bytes / 4), now);  // 16-bit stereo
  bool finished = FinishedMixing.exchange(false, std::memory_order_relaxed);
  if (!MusicMixing.load(std::memory_order_relaxed) && !finished) return;
  CountSequence.fetch_add(1, std::memory_order_acq_rel);
  MixedSamples.fetch_add(static_cast<uint64_t>(bytes / 4), std::memory_order_relaxed);  // 16-bit stereo
  CountedStamp.store(now, std::memory_order_relaxed);
  CountSequence.fetch_add(1, std::memory_order_acq_rel);
}

void MusicRanOut() {
  MusicMixing = false;
  FinishedMixing = true;
}

// Starts or stops the count with the mixer's own state, in one step for the audio thread.
void SetMixing(bool mixing, bool restart) {
  if (restart) {
    MixedSamples = 0;
    CountedStamp = 0;
    Clock = FreshClock(Clock);
    FinishedMixing = false;
  }
  MusicMixing = mixing;
}

}  // namespace

void OpenAudio(int bufferSamples) {
  BufferSamples = bufferSamples;
  ResetDeviceRecords();
  Mix_HookMusicFinished(MusicRanOut);
  Mix_SetPostMix(CountMixed, nullptr);
  if (Mix_OpenAudio(AudioRate, MIX_DEFAULT_FORMAT, 2, bufferSamples) != 0) {
    std::fprintf(stderr, "Zedov: no audio device (%s); playing silently\n", SDL_GetError());
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    Mix_OpenAudio(AudioRate, MIX_DEFAULT_FORMAT, 2, bufferSamples);
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  char driver[32] = "";
  bool open = Mix_QuerySpec(&rate, &format, &channels) != 0;
  SDL_AudioDriverName(driver, sizeof driver);
  // The silent driver only sleeps: nothing is heard, and the game clock keeps better time.
  ClockOpen = open && format == AUDIO_S16SYS && channels == 2 && rate > 0 && std::strcmp(driver, "dummy") != 0;
  if (!ClockOpen) return StopMeasuringDevice();
  Clock = MusicClock{};
  Clock.rate = rate;
  Clock.buffer = bufferSamples;
  Clock.waiting = 3 * int64_t{bufferSamples};  // until measured: the buffer just mixed and the two a card holds
  StartMeasuringDevice(rate, bufferSamples);
}

void CloseAudio() {
  StopMeasuringDevice();
  ClockOpen = false;
  Mix_CloseAudio();
}

int BufferMs(int samples) { return static_cast<int>(std::lround(samples * 1000.0 / AudioRate)); }

Music* LoadMusic(const std::string& path, MusicDecoder decoder) {
  if (decoder == MusicDecoder::ByName) {
    Mix_Music* mix = Mix_LoadMUS(path.c_str());
    return mix != nullptr ? new Music{mix, nullptr} : nullptr;
  }
  const Mix_MusicType type = decoder == MusicDecoder::Mp3 ? MUS_MP3 : decoder == MusicDecoder::Ogg ? MUS_OGG : MUS_WAV;
  SDL_RWops* source = SDL_RWFromFile(path.c_str(), "rb");
  Mix_Music* mix = source != nullptr ? Mix_LoadMUSType_RW(source, type, 0) : nullptr;
  if (mix != nullptr) return new Music{mix, source};
  if (source != nullptr) SDL_FreeRW(source);
  return nullptr;
}

Music* LoadMusicFromMemory(const void* bytes, int size) {
  SDL_RWops* source = SDL_RWFromConstMem(bytes, size);
  Mix_Music* mix = source != nullptr ? Mix_LoadMUS_RW(source) : nullptr;
  if (mix != nullptr) return new Music{mix, source};
  if (source != nullptr) SDL_FreeRW(source);
  return nullptr;
}

void FreeMusic(Music* music) {
  if (music == nullptr) return;
  SDL_LockAudio();
  SetMixing(false, false);
  SDL_UnlockAudio();
  Mix_FreeMusic(music->mix);
  if (music->source != nullptr) SDL_FreeRW(music->source);
  delete music;
}

const char* AudioError() { return Mix_GetError(); }

bool PlayMusic(Music* music, bool paused) {
  if (music == nullptr) return false;
  SDL_LockAudio();
  bool playing = Mix_PlayMusic(music->mix, 0) == 0;
  if (playing && paused) Mix_PauseMusic();
  SetMixing(playing && !paused, true);
  SDL_UnlockAudio();
  return playing;
}

void FadeInMusicAt(Music* music, int fadeMs, double startSeconds) {
  if (music == nullptr) return;
  SDL_LockAudio();
  SetMixing(Mix_FadeInMusicPos(music->mix, 0, fadeMs, startSeconds) == 0, true);
  SDL_UnlockAudio();
}

void FadeOutMusic(int fadeMs) { Mix_FadeOutMusic(fadeMs); }

void PauseMusic() {
  SDL_LockAudio();
  Mix_PauseMusic();
  SetMixing(false, false);
  SDL_UnlockAudio();
}

void ResumeMusic() {
  SDL_LockAudio();
  Mix_ResumeMusic();
  SetMixing(Mix_PlayingMusic() != 0, false);
  SDL_UnlockAudio();
}

void HaltMusic() {
  SDL_LockAudio();
  SetMixing(false, false);
  SDL_UnlockAudio();
  Mix_HaltMusic();
}

bool MusicPlaying() { return Mix_PlayingMusic() != 0; }
bool MusicPaused() { return Mix_PausedMusic() != 0; }
void SetMusicVolume(int percent) { Mix_VolumeMusic(std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100); }

namespace {

constexpr int CallsTrusted = 2;  // calls whose word on the position is taken: an older one may not know of a wait since

// The device's rate as its calls kept show it over a second or more,
// within a tenth of the nominal one; the nominal rate before.
double CallRate(const MusicClock& clock) {
  if (clock.callCount < 2) return clock.rate;
  const DeviceCall& first = clock.calls[0];
  const DeviceCall& last = clock.calls[clock.callCount - 1];
  const uint32_t spanMs = last.stampMs - first.stampMs;
  if (spanMs < 1000) return clock.rate;
  const double shown = static_cast<double>(last.counted - first.counted) * 1000.0 / spanMs;
  return std::clamp(shown, clock.rate * 0.9, clock.rate * 1.1);
}

}  // namespace

uint64_t CountedSamples(const MusicClock& clock) {
  return clock.callCount > 0 ? clock.calls[clock.callCount - 1].counted : 0;
}

void SeeDeviceCall(MusicClock& clock, uint64_t counted, uint32_t stampMs) {
  const uint64_t before = CountedSamples(clock);
  if (counted == before && clock.callCount > 0) return;
  if (counted < before) clock = FreshClock(clock);  // started again
  if (clock.callCount > 0) {
    const DeviceCall& last = clock.calls[clock.callCount - 1];
    const int64_t said = static_cast<int64_t>(counted) - clock.waiting;
    const int64_t gapMs = static_cast<int32_t>(stampMs - last.stampMs);
    const bool stood = gapMs > 4 * clock.step * 1000 / clock.rate || said < HeardSampleAt(clock, stampMs) - clock.buffer;
    clock.step = std::clamp<int64_t>(static_cast<int64_t>(counted - before), clock.buffer, 2 * clock.buffer);
    if (stood) clock.callCount = 0;
  }
  if (clock.callCount == CallsKept) std::copy(clock.calls + 1, clock.calls + CallsKept, clock.calls), --clock.callCount;
  clock.calls[clock.callCount++] = DeviceCall{counted, stampMs};
}

int64_t HeardSampleAt(const MusicClock& clock, uint32_t ticks) {
  if (clock.callCount == 0) return -clock.waiting;
  const double rate = CallRate(clock);
  int64_t heard = INT64_MIN;
  // The latest calls only: the rate's small error grows with a call's age.
  for (int i = std::max(0, clock.callCount - CallsTrusted); i < clock.callCount; ++i) {
    // Signed: a moment before the stamp reads as before it, across the clock's wrap too.
    const int64_t sinceMs = static_cast<int32_t>(ticks - clock.calls[i].stampMs);
    const int64_t said = static_cast<int64_t>(clock.calls[i].counted) - clock.waiting;
    heard = std::max(heard, said + static_cast<int64_t>(std::floor(sinceMs * rate / 1000.0)));
  }
  return std::min(heard, static_cast<int64_t>(CountedSamples(clock)) - clock.waiting + clock.step);
}

int64_t ReadHeardSample(MusicClock& clock, uint32_t ticks) {
  clock.shown = std::max(clock.shown, HeardSampleAt(clock, ticks));
  return clock.shown;
}

bool MusicClockRuns() { return ClockOpen; }

namespace {

// What the card holds, as measured so far.
void MeasureOpenedDevice() {
  const int64_t depth = MeasuredDeviceDepth(nullptr);
  if (depth >= 0) Clock.waiting = depth;
}

}  // namespace

MusicClock& CurrentMusicClock() {
  if (!ClockOpen) return Clock;
  uint32_t before = 0, stamp = 0;
  uint64_t counted = 0;
  do {
    before = CountSequence.load(std::memory_order_acquire);
    counted = MixedSamples.load(std::memory_order_relaxed);
    stamp = CountedStamp.load(std::memory_order_relaxed);
  } while ((before & 1) != 0 || CountSequence.load(std::memory_order_acquire) != before);
  MeasureOpenedDevice();
  if (counted != 0) SeeDeviceCall(Clock, counted, stamp);
  return Clock;
}

namespace {
int32_t ToMs(int64_t samples, int rate) {
  return static_cast<int32_t>(std::clamp<int64_t>(samples * 1000 / std::max(rate, 1), INT32_MIN, INT32_MAX));
}
}  // namespace

int32_t HeardMsAt(uint32_t ticks) {
  MusicClock& clock = CurrentMusicClock();
  return ToMs(HeardSampleAt(clock, ticks), clock.rate);
}

int32_t ReadHeardMs(uint32_t ticks) {
  MusicClock& clock = CurrentMusicClock();
  return ToMs(ReadHeardSample(clock, ticks), clock.rate);
}

bool MusicAllHeard(uint32_t ticks) {
  MusicClock& clock = CurrentMusicClock();
  if (CountedSamples(clock) == 0) return true;  // nothing was handed over: nothing to wait for
  return HeardSampleAt(clock, ticks) >= static_cast<int64_t>(CountedSamples(clock)) - clock.waiting + clock.step;
}

int32_t MusicWaitingMs() {
  if (!ClockOpen) return 0;
  MeasureOpenedDevice();
  return ToMs(Clock.waiting, Clock.rate);
}
