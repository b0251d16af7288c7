// The analysis runs in five steps over an onset envelope of a few ms a step:
//   1. envelope: the spectral flux of short windows (FFTW), and their loudness
//   2. onsets: the envelope's peaks, each with how long its sound is held
//   3. coarse tempo: the envelope's autocorrelation, refined at its peaks
//      at many beats' lag, where a tiny period error has grown large
//   4. fine grid: the phase of the strongest comb, then a weighted fit of the
//      onset times at the beats over the whole song, so the last beat is as
//      close as the first
//   5. the dancer's beat among the tempo, its double and its half; the first
//      beat, the beats to the music's end, and how sure all this is
#include "charts/music_analysis.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>

#include "charts/job_control.h"

namespace {

// The flux of a window peaks a little after the attack enters it: measured
// on synthetic attacks, removed from every onset time.
constexpr double DetectionLatencyMs = -1.0;

struct Envelope {
  std::vector<float> flux;     // onset strength per step, local mean removed
  std::vector<float> beat;     // the low and middle bands' onsets, each scaled alike: kicks weigh as snares
  std::vector<float> loudness; // RMS per step (of the window centred there)
  double stepMs = 0;           // time between steps
  double offsetMs = 0;         // time of step 0 (its window's centre)
  double windowMs = 0;
  double TimeOf(double step) const { return offsetMs + step * stepMs - DetectionLatencyMs; }
  double StepOf(double ms) const { return (ms - offsetMs + DetectionLatencyMs) / stepMs; }
};

using Control = JobControl;

// The least flux of an attack, in summed rises of the log spectrum, the music
// brought to a peak of one half: a held tone in an MP3 shimmers a tenth of
// that from frame to frame; a soft pluck rises ten times more.
constexpr float LeastAttackFlux = 1.0f;

// A power of two near 11.6 ms of samples: short enough to place attacks finely.
int WindowSize(int rate) {
  int n = 64;
  while (n * 2 <= rate * 0.0145) n *= 2;
  return n;
}

std::vector<float> MovingMean(const std::vector<float>& x, int radius) {
  std::vector<double> sum(x.size() + 1, 0);
  for (size_t i = 0; i < x.size(); ++i) sum[i + 1] = sum[i] + x[i];
  std::vector<float> mean(x.size());
  for (size_t i = 0; i < x.size(); ++i) {
    size_t lo = i > static_cast<size_t>(radius) ? i - radius : 0, hi = std::min(x.size(), i + radius + 1);
    mean[i] = static_cast<float>((sum[hi] - sum[lo]) / static_cast<double>(hi - lo));
  }
  return mean;
}

// ln(x) for x >= 1, to 1e-4: the spectra's millions of logarithms, vectorised.
inline float FastLog(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, 4);
  float exponent = static_cast<float>(static_cast<int>(bits >> 23) - 127);
  uint32_t mantissaBits = (bits & 0x7FFFFF) | 0x3F800000;
  float m;
  std::memcpy(&m, &mantissaBits, 4);
  float log2m = -1.7417939f + (2.8212026f + (-1.4699568f + (0.44717955f - 0.056570851f * m) * m) * m) * m;
  return (exponent + log2m) * 0.69314718f;
}

// The flux of the spectrum's rise in [from, to) of its bins.
float Rise(const float* now, const float* before, int from, int to) {
  float rise = 0;
  for (int k = from; k < to; ++k) rise += std::max(0.0f, now[k] - before[k]);
  return rise;
}

void Unmean(std::vector<float>& x, int radius) {
  std::vector<float> mean = MovingMean(x, radius);
  for (size_t s = 0; s < x.size(); ++s) x[s] = std::max(0.0f, x[s] - mean[s]);
}

// Scales an envelope so that its typical strong value (90th percentile of its nonzero steps) is 1.
void Normalise(std::vector<float>& x) {
  std::vector<float> live;
  for (float v : x)
    if (v > 0) live.push_back(v);
  if (live.empty()) return;
  std::nth_element(live.begin(), live.begin() + live.size() * 9 / 10, live.end());
  float typical = std::max(live[live.size() * 9 / 10], 1e-9f);
  for (float& v : x) v /= typical;
}

// Windows start half a window before the music, so that an attack at 0 ms is found.
// Music above 32 kHz is looked at in pairs of samples, at half the cost.
bool BuildEnvelope(const float* samples, size_t count, int fileRate, const Control& control, Envelope& env) {
  const int pair = fileRate >= 32000 ? 2 : 1, rate = fileRate / pair;
  const int n = WindowSize(rate), hop = n / 4, bins = n / 2 + 1;
  count /= pair;
  if (count < static_cast<size_t>(n)) return false;
  size_t steps = (count + n / 2 - n) / hop + 1;
  env.stepMs = 1000.0 * hop * pair / fileRate;
  env.offsetMs = 0;
  env.windowMs = 1000.0 * n * pair / fileRate;
  const int low = std::clamp(static_cast<int>(200.0 * n / rate + 1), 2, bins), mid = std::clamp(static_cast<int>(3000.0 * n / rate), low, bins);
  std::vector<float> window(n), frame(n), last(bins, 0), level(bins, 0);
  for (int i = 0; i < n; ++i) window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * M_PI * i / n));
  fftwf_complex* spectrum = fftwf_alloc_complex(bins);
  fftwf_plan plan = fftwf_plan_dft_r2c_1d(n, frame.data(), spectrum, FFTW_ESTIMATE);
  std::vector<float> flux(steps), lows(steps), mids(steps), loudness(steps);
  float peak = 0;
  for (size_t j = 0; j < count * pair; ++j) peak = std::max(peak, std::fabs(samples[j]));
  const float gain = 1000.0f / n * std::max(1.0f, 0.5f / std::max(peak, 1e-4f));  // quiet music is looked at as loud
  for (size_t s = 0; s < steps; ++s) {
    if (s % 4096 == 0) {
      if (control.Cancelled()) break;
      control.Report(0.8 * s / steps);
    }
    long start = static_cast<long>(s * hop) - n / 2;
    double energy = 0;
    for (int i = 0; i < n; ++i) {
      long j = start + i;
      float x = j < 0 || j >= static_cast<long>(count) ? 0.0f : pair == 1 ? samples[j] : 0.5f * (samples[2 * j] + samples[2 * j + 1]);
      frame[i] = x * window[i];
      energy += x * x;
    }
    fftwf_execute(plan);
    for (int k = 1; k < bins; ++k)
      level[k] = FastLog(1.0f + gain * std::sqrt(spectrum[k][0] * spectrum[k][0] + spectrum[k][1] * spectrum[k][1]));
    if (s > 0) {
      lows[s] = Rise(level.data(), last.data(), 1, low);
      mids[s] = Rise(level.data(), last.data(), low, mid);
      flux[s] = lows[s] + mids[s] + Rise(level.data(), last.data(), mid, bins);
    }
    last.swap(level);
    loudness[s] = static_cast<float>(std::sqrt(energy / n));
  }
  fftwf_destroy_plan(plan);
  fftwf_free(spectrum);
  if (control.Cancelled()) return false;
  const int radius = static_cast<int>(60 / env.stepMs);
  for (std::vector<float>* x : {&flux, &lows, &mids}) Unmean(*x, radius);
  Normalise(lows);
  Normalise(mids);
  env.beat.resize(steps);
  for (size_t s = 0; s < steps; ++s) env.beat[s] = lows[s] + mids[s];
  env.flux = std::move(flux);
  env.loudness = std::move(loudness);
  return true;
}

// The quietest loudness that still counts as sound.
float SilenceLevel(const Envelope& env) {
  float loudest = *std::max_element(env.loudness.begin(), env.loudness.end());
  return std::max(loudest * 0.0056f, 3e-5f);  // 45 dB under the loudest
}

float NinetiethPercentile(std::vector<float> x) {
  if (x.empty()) return 1;
  std::nth_element(x.begin(), x.begin() + x.size() * 9 / 10, x.end());
  return std::max(x[x.size() * 9 / 10], 1e-9f);
}

// The envelope's peaks that stand out of their surroundings, timed between steps.
std::vector<Onset> FindOnsets(const Envelope& env, size_t first, size_t last, std::vector<float>& attacks) {
  std::vector<Onset> onsets;
  const std::vector<float>& o = env.flux;
  std::vector<float> around = MovingMean(o, static_cast<int>(700 / env.stepMs));
  const int near = std::max(1, static_cast<int>(30 / env.stepMs));
  std::vector<float> sorted(o.begin() + first, o.begin() + last + 1);
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() * 95 / 100, sorted.end());
  // Below an absolute floor too: a held tone's flux is the encoder's own shimmer, as regular as its frames.
  const float floor = std::max(0.05f * sorted[sorted.size() * 95 / 100], LeastAttackFlux);
  const float silence = SilenceLevel(env);
  std::vector<float> beats;
  for (size_t s = std::max<size_t>(first, 1); s + 1 <= last && s + 1 < o.size(); ++s) {
    if (o[s] <= floor || o[s] < 1.5f * around[s]) continue;
    bool peak = true;
    for (int d = -near; d <= near && peak; ++d) {
      long j = static_cast<long>(s) + d;
      if (d == 0 || j < 0 || j >= static_cast<long>(o.size())) continue;
      peak = d < 0 ? o[j] < o[s] : o[j] <= o[s];
    }
    if (!peak) continue;
    double a = o[s - 1], b = o[s], c = o[s + 1], den = a - 2 * b + c;
    double shift = den < 0 ? std::clamp(0.5 * (a - c) / den, -0.5, 0.5) : 0;
    // Held: how long the loudness stays above half its level just after the attack.
    size_t top = s;
    for (size_t j = s; j < std::min(o.size(), s + static_cast<size_t>(40 / env.stepMs)); ++j)
      if (env.loudness[j] > env.loudness[top]) top = j;
    size_t end = top;
    while (end + 1 < o.size() && env.loudness[end + 1] > std::max(0.5f * env.loudness[top], silence) &&
           (end - s) * env.stepMs < 8000)
      ++end;
    onsets.push_back({env.TimeOf(s + shift), o[s], static_cast<float>((end - s) * env.stepMs)});
    float beat = 0;
    for (size_t j = s > 2 ? s - 2 : 0; j <= s + 2 && j < o.size(); ++j) beat = std::max(beat, env.beat[j]);
    beats.push_back(beat);
  }
  // Strength 1 is the song's typical strong attack (the 90th percentile), as a
  // whole or in the low and middle bands alone, so a kick weighs as a snare.
  std::vector<float> flux;
  for (const Onset& x : onsets) flux.push_back(x.strength);
  float typicalFlux = NinetiethPercentile(flux), typicalBeat = NinetiethPercentile(beats);
  attacks.clear();
  for (size_t i = 0; i < onsets.size(); ++i) {
    attacks.push_back(onsets[i].strength / typicalFlux);
    onsets[i].strength = std::max(attacks.back(), beats[i] / typicalBeat);
  }
  return onsets;
}

// The autocorrelation of the envelope, each lag's sum divided by its terms.
std::vector<double> Autocorrelation(const std::vector<float>& o) {
  size_t size = 1;
  while (size < 2 * o.size()) size *= 2;
  double mean = std::accumulate(o.begin(), o.end(), 0.0) / o.size();
  double* in = fftw_alloc_real(size);
  fftw_complex* spectrum = fftw_alloc_complex(size / 2 + 1);
  for (size_t i = 0; i < size; ++i) in[i] = i < o.size() ? o[i] - mean : 0;
  fftw_plan forward = fftw_plan_dft_r2c_1d(static_cast<int>(size), in, spectrum, FFTW_ESTIMATE);
  fftw_execute(forward);
  for (size_t k = 0; k <= size / 2; ++k) {
    spectrum[k][0] = spectrum[k][0] * spectrum[k][0] + spectrum[k][1] * spectrum[k][1];
    spectrum[k][1] = 0;
  }
  fftw_plan back = fftw_plan_dft_c2r_1d(static_cast<int>(size), spectrum, in, FFTW_ESTIMATE);
  fftw_execute(back);
  std::vector<double> acf(o.size() / 2);
  for (size_t lag = 0; lag < acf.size(); ++lag) acf[lag] = in[lag] / size / static_cast<double>(o.size() - lag);
  fftw_destroy_plan(forward);
  fftw_destroy_plan(back);
  fftw_free(in);
  fftw_free(spectrum);
  return acf;
}

// The highest point of acf within centre +- radius, between steps; -1 for none.
double PeakNear(const std::vector<double>& acf, double centre, int radius) {
  long lo = std::max(2L, static_cast<long>(centre) - radius), hi = std::min(static_cast<long>(acf.size()) - 2, static_cast<long>(centre) + radius + 1);
  if (lo >= hi) return -1;
  long best = lo;
  for (long l = lo; l <= hi; ++l)
    if (acf[l] > acf[best]) best = l;
  if (best == lo || best == hi) return -1;  // still rising at the edge: no peak there
  double a = acf[best - 1], b = acf[best], c = acf[best + 1], den = a - 2 * b + c;
  return best + (den < 0 ? std::clamp(0.5 * (a - c) / den, -0.5, 0.5) : 0);
}

// The beat period in steps: the strongest autocorrelation peak between 70 and
// 220 BPM, then the peaks at 2, 4, 8 ... periods' lag, each narrowing the last.
double BeatPeriod(const Envelope& env) {
  std::vector<double> acf = Autocorrelation(env.flux);
  double shortest = 60000 / 220.0 / env.stepMs, longest = 60000 / 70.0 / env.stepMs;
  double best = -1, bestScore = 0;
  for (long l = static_cast<long>(shortest); l <= static_cast<long>(longest) + 1 && l + 1 < static_cast<long>(acf.size()); ++l) {
    if (l < 2 || acf[l] < acf[l - 1] || acf[l] < acf[l + 1]) continue;
    double bpm = 60000 / (l * env.stepMs), octaves = std::log2(bpm / 120);
    double score = acf[l] * std::exp(-0.5 * octaves * octaves / (1.5 * 1.5));
    if (score > bestScore) bestScore = score, best = l;
  }
  if (best < 0) return -1;
  double period = PeakNear(acf, best, 1);
  if (period < 0) period = best;
  for (int many = 2; period * many * 1.05 < acf.size(); many *= 2) {
    double peak = PeakNear(acf, period * many, 3);
    if (peak < 0) break;
    period = peak / many;
  }
  return period;
}

double EnvelopeAt(const std::vector<float>& o, double step) {
  if (step < 0 || step + 1 >= o.size()) return 0;
  size_t i = static_cast<size_t>(step);
  double f = step - i;
  return o[i] * (1 - f) + o[i + 1] * f;
}

// The phase (in steps, 0..period) where the low and middle bands add up most:
// the beat of the kicks and snares, not of the hats between them.
double BeatPhase(const Envelope& env, double period, double from, double to) {
  double best = 0, bestSum = -1;
  for (double phase = 0; phase < period; phase += 0.25) {
    double sum = 0;
    for (double s = from - std::fmod(from, period) + phase; s <= to; s += period)
      sum += EnvelopeAt(env.beat, s - 1) * 0.5 + EnvelopeAt(env.beat, s) + EnvelopeAt(env.beat, s + 1) * 0.5;
    if (sum > bestSum) bestSum = sum, best = phase;
  }
  return best;
}

struct Grid {
  double periodMs;
  double phaseMs;  // time of some beat
};

// Fits the grid to the onsets found near its beats: the strongest within a
// window around each beat, weighted by strength, in shrinking windows.
Grid FitGrid(Grid grid, const std::vector<Onset>& onsets) {
  for (double window : {35.0, 22.0, 14.0, 10.0}) {
    double sw = 0, sk = 0, st = 0, skk = 0, skt = 0;
    int matched = 0;
    size_t at = 0;
    while (at < onsets.size()) {
      double k = std::round((onsets[at].timeMs - grid.phaseMs) / grid.periodMs);
      double beat = grid.phaseMs + k * grid.periodMs;
      size_t best = onsets.size();
      do {  // the onsets of this beat: the strongest within the window
        if (std::abs(onsets[at].timeMs - beat) <= window && (best == onsets.size() || onsets[at].strength > onsets[best].strength))
          best = at;
      } while (++at < onsets.size() && onsets[at].timeMs < beat + grid.periodMs / 2);
      if (best == onsets.size()) continue;
      double w = onsets[best].strength, t = onsets[best].timeMs;
      sw += w, sk += w * k, st += w * t, skk += w * k * k, skt += w * k * t, ++matched;
    }
    double den = sw * skk - sk * sk;
    if (matched < 8 || den <= 0) break;
    double period = (sw * skt - sk * st) / den;
    if (std::abs(period / grid.periodMs - 1) > 0.01) break;
    grid = {period, (st - period * sk) / sw};
  }
  return grid;
}

// Mean envelope at a grid's beats within the music (best of `phases` offsets of `period`).
double MeanAtBeats(const Envelope& env, const Grid& grid, double scale, int phases, double from, double to) {
  double best = 0;
  for (int p = 0; p < phases; ++p) {
    double period = grid.periodMs * scale, sum = 0;
    int n = 0;
    double t0 = grid.phaseMs + p * grid.periodMs;
    for (double t = t0 + std::ceil((from - t0) / period) * period; t <= to; t += period, ++n) {
      double s = env.StepOf(t);
      sum += std::max({EnvelopeAt(env.beat, s - 1), EnvelopeAt(env.beat, s), EnvelopeAt(env.beat, s + 1)});
    }
    if (n > 0) best = std::max(best, sum / n);
  }
  return best;
}

// The dancer's beat: the double when the off-beats are nearly as strong as
// the beats, the half when every other beat is much stronger, within 70-210 BPM.
Grid DancersBeat(const Envelope& env, Grid grid, double from, double to) {
  double here = MeanAtBeats(env, grid, 1, 1, from, to);
  double bpm = 60000 / grid.periodMs;
  if (bpm * 2 <= 210 && MeanAtBeats(env, grid, 0.5, 1, from, to) >= 0.8 * here) {
    grid.periodMs /= 2;
  } else if (bpm / 2 >= 70 && MeanAtBeats(env, grid, 2, 2, from, to) >= 1.35 * here) {
    if (MeanAtBeats(env, grid, 2, 1, from, to) < MeanAtBeats(env, {grid.periodMs, grid.phaseMs + grid.periodMs}, 2, 1, from, to))
      grid.phaseMs += grid.periodMs;
    grid.periodMs *= 2;
  }
  while (60000 / grid.periodMs > 210) grid.periodMs *= 2;
  while (60000 / grid.periodMs < 70) grid.periodMs /= 2;
  return grid;
}

// The share of the clear onsets (in strength) that lie within 20 ms of the
// grid's sixteenths (or twelfths, where the music swings), above what a grid
// would catch by chance; in up to eight parts of the song, and kept low
// when parts with onsets stray from the grid.
double ShareOnGrid(const std::vector<Onset>& onsets, const std::vector<float>& attacks, const Grid& grid, int parts,
                   double from, double to, int fewest = 8) {
  double part = grid.periodMs / parts, chance = std::min(1.0, 40 / part);
  if (chance >= 0.8) return 0;
  double mass = 0, near = 0;
  int clear = 0;
  for (size_t i = 0; i < onsets.size(); ++i) {
    if (onsets[i].timeMs < from || onsets[i].timeMs >= to || attacks[i] < 0.25f) continue;
    double off = std::fmod(onsets[i].timeMs - grid.phaseMs, part);
    if (off < 0) off += part;
    mass += attacks[i], ++clear;
    if (off <= 20 || off >= part - 20) near += attacks[i];
  }
  return clear >= fewest && clear > 0 ? (near / mass - chance) / (1 - chance) : -1;
}

double Confidence(const std::vector<Onset>& onsets, const std::vector<float>& attacks, const Grid& grid, double from, double to) {
  std::vector<double> shares;
  const int parts = std::clamp(static_cast<int>((to - from) / (12 * grid.periodMs)), 2, 8);  // of a dozen beats or more
  for (int q = 0; q < parts; ++q) {
    double a = from + (to - from) * q / parts, b = from + (to - from) * (q + 1) / parts;
    double share = std::max(ShareOnGrid(onsets, attacks, grid, 4, a, b), ShareOnGrid(onsets, attacks, grid, 3, a, b));
    if (share > -0.5) shares.push_back(share);  // a part of few clear onsets says little either way
  }
  if (shares.empty())  // a short song: the whole of it, as one part
    shares.push_back(std::max(ShareOnGrid(onsets, attacks, grid, 4, from, to, 1), ShareOnGrid(onsets, attacks, grid, 3, from, to, 1)));
  std::sort(shares.begin(), shares.end());
  double mean = std::accumulate(shares.begin(), shares.end(), 0.0) / shares.size();
  // One odd part (a free intro, a fade) is forgiven; two astray weigh most.
  double astray = shares[std::min<size_t>(1, shares.size() - 1)];
  return std::clamp((0.3 * mean + 0.7 * astray) / 0.5, 0.0, 1.0);
}

}  // namespace

MusicAnalysis AnalyseMusic(const float* samples, size_t count, int rate, const std::atomic<bool>* cancel,
                           std::atomic<float>* progress) {
  MusicAnalysis result;
  Control control{cancel, progress};
  Envelope env;
  if (rate < 4000 || !BuildEnvelope(samples, count, rate, control, env)) return result;
  const float silence = SilenceLevel(env);
  size_t first = 0, last = env.loudness.size();
  while (first < last && env.loudness[first] < silence) ++first;
  while (last > first && env.loudness[last - 1] < silence) --last;
  if (last - first < 8 || *std::max_element(env.loudness.begin(), env.loudness.end()) < 1e-4f) return result;
  --last;
  result.startMs = std::max(0.0, first * env.stepMs - env.windowMs / 2);
  result.endMs = std::min(1000.0 * count / rate, last * env.stepMs + env.windowMs / 2);
  std::vector<float> attacks;  // the onsets' strengths in the whole spectrum
  result.onsets = FindOnsets(env, first, last, attacks);
  control.Report(0.85);
  double period = BeatPeriod(env);
  if (period <= 0 || result.onsets.size() < 8 || control.Cancelled()) return control.Cancelled() ? MusicAnalysis{} : result;
  Grid grid{period * env.stepMs, env.TimeOf(BeatPhase(env, period, first, last))};
  grid = FitGrid(grid, result.onsets);
  grid = FitGrid(DancersBeat(env, grid, result.startMs, result.endMs), result.onsets);
  control.Report(0.95);
  result.confidence = Confidence(result.onsets, attacks, grid, result.startMs, result.endMs);
  if (result.confidence < SureConfidence) return result;
  // The first beat: the grid's first at or just before the first clear attack.
  double firstAttack = result.onsets.front().timeMs;
  for (const Onset& x : result.onsets)
    if (x.strength >= 0.1f) {
      firstAttack = x.timeMs;
      break;
    }
  double beat = grid.phaseMs + std::ceil((firstAttack - 0.2 * grid.periodMs - grid.phaseMs) / grid.periodMs) * grid.periodMs;
  while (beat < -2) beat += grid.periodMs;  // a beat a hair before 0 ms is the one at 0
  beat = std::max(beat, 0.0);
  result.bpm = 60000 / grid.periodMs;
  result.firstBeatMs = beat;
  result.beats = result.endMs >= beat ? static_cast<int>((result.endMs - beat) / grid.periodMs) + 1 : 0;
  result.doubleBpm = result.bpm * 2;
  result.halfBpm = result.bpm / 2;
  control.Report(1);
  return result;
}
