// Music bytes of any kind through the decoders and the analysis: no crash,
// samples in range, and an analysis whose beats lie inside the music.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "charts/music_analysis.h"
#include "charts/music_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  DecodedMusic music;
  std::string why;
  if (!DecodeMusicBytes(bytes, music, why)) {
    if (why.empty() || !music.samples.empty()) std::abort();
    return 0;
  }
  for (float x : music.samples)
    if (!(std::fabs(x) <= 1.0f)) std::abort();
  MusicAnalysis found = AnalyseMusic(music.samples.data(), music.samples.size(), music.rate);
  if (found.confidence < 0 || found.confidence > 1 || found.beats < 0) std::abort();
  if (found.bpm > 0 && (found.firstBeatMs < 0 || found.firstBeatMs > found.endMs + 1)) std::abort();
  return 0;
}
