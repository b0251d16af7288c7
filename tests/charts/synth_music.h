// Songs synthesised for the analysis tests: drums, a soft melody, swing and
// silence on a known beat grid, with an exact first beat.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

enum class SynthKind { Drums, Melody, Swung, SilentMiddle, Noise, Silence, Free };

struct SynthSong {
  double bpm = 120;
  double firstBeatMs = 0;
  double seconds = 60;
  SynthKind kind = SynthKind::Drums;
  int rate = 44100;
};

inline double SynthBeatMs(const SynthSong& s, int k) { return s.firstBeatMs + k * 60000.0 / s.bpm; }

inline std::vector<float> Synthesise(const SynthSong& s) {
  std::vector<float> out(static_cast<size_t>(s.seconds * s.rate), 0.0f);
  uint32_t seed = 12345;
  auto noise = [&seed] { return (seed = seed * 1664525u + 1013904223u) / 2147483648.0f - 1.0f; };
  auto at = [&](double ms) { return static_cast<long>(std::llround(ms * s.rate / 1000)); };
  auto add = [&](double ms, double length, auto voice) {
    for (long i = 0, from = at(ms); i < static_cast<long>(length * s.rate) && from + i < static_cast<long>(out.size()); ++i)
      if (from + i >= 0) out[from + i] += voice(static_cast<double>(i) / s.rate);
  };
  auto kick = [&](double t) { return 0.8 * std::sin(2 * M_PI * (50 * t + 60 * (1 - std::exp(-t * 30)) / 30)) * std::exp(-t * 12); };
  auto snare = [&](double t) { return 0.4 * noise() * std::exp(-t * 25) + 0.2 * std::sin(2 * M_PI * 190 * t) * std::exp(-t * 20); };
  auto hat = [&](double t) { return 0.12 * noise() * std::exp(-t * 80); };
  const double beat = 60000.0 / s.bpm, end = s.seconds * 1000 - 300;
  if (s.kind == SynthKind::Noise) {
    for (float& x : out) x = 0.3f * noise();
    return out;
  }
  if (s.kind == SynthKind::Free) {  // notes at random times, no steady beat
    for (double ms = s.firstBeatMs; ms < end; ms += 120 + 500 * (noise() + 1))
      add(ms, 0.3, [&](double t) { return 0.5 * std::sin(2 * M_PI * 330 * t) * std::exp(-t * 8); });
    return out;
  }
  for (int k = 0; s.kind != SynthKind::Silence && SynthBeatMs(s, k) < end; ++k) {
    double ms = SynthBeatMs(s, k), part = ms / (s.seconds * 1000);
    if (s.kind == SynthKind::SilentMiddle && part > 0.4 && part < 0.6) continue;
    if (s.kind == SynthKind::Melody) {  // soft tones, each swelling in over 40 ms
      double pitch = 220 * std::pow(2.0, (k * 5 % 12) / 12.0);
      add(ms, beat / 1000, [&](double t) { return 0.3 * std::sin(2 * M_PI * pitch * t) * std::min(1.0, t / 0.04) * std::exp(-t * 3); });
      continue;
    }
    if (k % 2 == 0) add(ms, 0.4, kick);
    else add(ms, 0.4, snare);
    double off = s.kind == SynthKind::Swung ? beat * 2 / 3 : beat / 2;
    add(ms, 0.1, hat);
    add(ms + off, 0.1, hat);
  }
  for (float& x : out) x += 0.002f * noise();
  return out;
}

// The samples as a 16-bit mono WAV file, then encoded by lame (.mp3) or
// oggenc (.ogg); false when the encoder is missing or fails.
#include <cstdio>
#include <cstdlib>
#include <string>
inline bool EncodeSong(const std::vector<float>& samples, int rate, const std::string& path) {
  std::string wav = path + ".wav";
  FILE* f = std::fopen(wav.c_str(), "wb");
  if (!f) return false;
  auto u32 = [f](uint32_t v) { std::fwrite(&v, 4, 1, f); };
  auto u16 = [f](uint16_t v) { std::fwrite(&v, 2, 1, f); };
  uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
  std::fwrite("RIFF", 1, 4, f), u32(36 + bytes), std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16);
  std::fwrite("data", 1, 4, f), u32(bytes);
  for (float x : samples) u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::fmax(-1.0, std::fmin(1.0, x)) * 32000))));
  std::fclose(f);
  bool ogg = path.ends_with(".ogg");
  std::string command = (ogg ? "oggenc -Q -o '" + path + "' '" : "lame --quiet -b 160 '") + wav + (ogg ? "'" : "' '" + path + "'");
  bool made = std::system((command + " 2>/dev/null").c_str()) == 0;
  std::remove(wav.c_str());
  return made;
}
