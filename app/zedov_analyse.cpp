// zedov-analyse: finds a song's tempo, first beat and length from its music,
// as the chart generator does, and with --chart writes the five charts of
// arrows where the music is.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "charts/music_analysis.h"
#include "charts/music_chart.h"
#include "charts/music_decode.h"
#include "charts/safe_file.h"

namespace {

constexpr const char* Usage =
    "usage: zedov-analyse MUSIC [--chart CHART.tq]\n"
    "Finds the tempo, the time of the first beat and the number of beats of\n"
    "an OGG or MP3 song from its music, on the game's own time line, and how\n"
    "sure that is (0 to 1). With --chart it writes the five charts of arrows\n"
    "where the music is, as the game's chart generator would.\n";

int Fail(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "zedov-analyse: %s: %s\n", path.c_str(), why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (!(argc == 2 || (argc == 4 && std::strcmp(argv[2], "--chart") == 0))) {
    std::fputs(Usage, stderr);
    return 2;
  }
  const std::string path = argv[1];
  DecodedMusic music;
  std::string why;
  if (!DecodeMusicFile(path, music, why)) return Fail(path, why);
  MusicAnalysis found = AnalyseMusic(music.samples.data(), music.samples.size(), music.rate);
  std::printf("tempo %.3f BPM, first beat %ld ms, %d beats, confidence %.2f\n", found.bpm,
              std::lround(found.firstBeatMs), found.beats, found.confidence);
  if (found.bpm > 0)
    std::printf("or tempo %.3f BPM (double), or %.3f BPM (half)\n", found.doubleBpm, found.halfBpm);
  else
    std::printf("the music gave no clear steady beat\n");
  if (std::fflush(stdout) != 0) return 1;
  if (argc == 4) {
    if (found.bpm <= 0) return Fail(path, "no clear steady beat to chart");
    if (!ReplaceFile(argv[3], MusicChartText(found), why)) return Fail(argv[3], "cannot write the chart file: " + why);
  }
  return 0;
}
