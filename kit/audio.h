// The sound: the one door to SDL_mixer. Opens the device, loads, plays,
// pauses and frees the music, and keeps the music's clock: the audio thread
// counts the samples of the music it hands to the device, and the position
// heard is that count less what still waits in the device, moved on between
// the device's calls by the millisecond clock (kit/clock.h).
#pragma once
#include <cstdint>
#include <string>

struct Music;  // a loaded piece of music; null where it would not load

inline constexpr int AudioRate = 44100;

// Opens the device at 44.1 kHz stereo with the buffer asked for; without a
// device, SDL's silent driver, which consumes the music in real time, so
// songs still end. The music's clock runs only on a device that plays.
void OpenAudio(int bufferSamples);
void CloseAudio();

// The milliseconds a buffer of samples lasts at the game's rate: 1024 is 23.
int BufferMs(int samples);

// The decoder a file goes to: by its name's extension (SDL_mixer's own
// choice), or the one its content calls for, so that Ogg or WAV audio in a
// file named .mp3 plays as what it is.
enum class MusicDecoder : int { ByName, Mp3, Ogg, Wav };

// Loading from a file, or from bytes in memory the caller keeps until it frees the music.
Music* LoadMusic(const std::string& path, MusicDecoder decoder = MusicDecoder::ByName);
Music* LoadMusicFromMemory(const void* bytes, int size);
void FreeMusic(Music* music);  // also stops it; null is nothing
const char* AudioError();

// Playing from the start, paused before the mixer takes a sample of it when
// asked; fading in from a point (in seconds). Each starts the clock at 0.
bool PlayMusic(Music* music, bool paused);
void FadeInMusicAt(Music* music, int fadeMs, double startSeconds);
void FadeOutMusic(int fadeMs);
void PauseMusic();
void ResumeMusic();
void HaltMusic();
bool MusicPlaying();  // loaded and not finished, paused or not
bool MusicPaused();
void SetMusicVolume(int percent);

// The music's clock as the main thread sees it: the device's calls it saw
// (how many samples of the music had been handed over, and when), how far
// behind that the device plays, and the last position read.
struct DeviceCall {
  uint64_t counted = 0;  // samples of the music handed to the device so far
  uint32_t stampMs = 0;  // ClockTicks when they were
};
inline constexpr int CallsKept = 128;  // three seconds or more of calls: the rate they show is steady
struct MusicClock {
  int rate = AudioRate;        // samples a second
  int64_t buffer = 1024;       // samples the device takes at a call
  int64_t waiting = 2048;      // samples mixed but not yet heard, at a call: the device's depth
  DeviceCall calls[CallsKept]; // the latest calls seen since the device last stood, oldest first
  int callCount = 0;
  int64_t step = 1024;         // samples the latest call brought, at least a buffer
  int64_t shown = INT64_MIN;   // the last position read, which never goes back
};

// Takes a device call seen: the count and stamp the audio thread left. A
// call long after the one before (a pause, a stalled device), or one that
// finds the device further behind than a buffer, starts the history again.
void SeeDeviceCall(MusicClock& clock, uint64_t counted, uint32_t stampMs);

// The sample of the music heard at a moment (ClockTicks), from 0 at its
// first; negative before it is heard. Each call seen says that the device
// played its count less what waits, and plays on from there at the rate it
// has shown over the calls kept; the position is the latest any of the last
// few calls says,
// since a call is seen late but never early, and never more than one call's
// samples past the latest, so a stalled device stops it. Without a call
// seen: minus what waits.
int64_t HeardSampleAt(const MusicClock& clock, uint32_t ticks);

// The same, never less than the last reading, which it becomes.
int64_t ReadHeardSample(MusicClock& clock, uint32_t ticks);

// Samples the music was handed so far, by the calls seen.
uint64_t CountedSamples(const MusicClock& clock);

// Whether the position comes from the device: a real one opened with the
// clock's counter. Otherwise the callers run on the game clock.
bool MusicClockRuns();

// The clock of the music playing, brought up to date from the audio thread.
MusicClock& CurrentMusicClock();

// Milliseconds of the music heard at a moment; ReadHeardMs moves the clock's reading on.
int32_t HeardMsAt(uint32_t ticks);
int32_t ReadHeardMs(uint32_t ticks);

// Whether every sample handed to the device has been heard.
bool MusicAllHeard(uint32_t ticks);

// How long the device holds what was mixed, in ms: 0 without the music's clock.
int32_t MusicWaitingMs();
