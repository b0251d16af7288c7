// How long the music check takes on an OGG padded to 200 MB (sparse), which
// SDL_mixer's loader would read whole, and on a shipped MP3.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "charts/music_file.h"
#include "test_files.h"

namespace {

void BM_MusicFaultPaddedOgg(benchmark::State& state) {
  ScratchFolder folder;
  const std::string page = std::string("OggS") + std::string(22, '\0') + "\x01\x1e\x01vorbis" + std::string(40, '\0');
  int fd = open("padded.ogg", O_CREAT | O_WRONLY, 0644);
  if (write(fd, page.data(), page.size()) != static_cast<ssize_t>(page.size()) || ftruncate(fd, 200 << 20) != 0)
    state.SkipWithError("cannot make the padded file");
  close(fd);
  for (auto _ : state) benchmark::DoNotOptimize(MusicFault("padded.ogg"));
}
BENCHMARK(BM_MusicFaultPaddedOgg)->Unit(benchmark::kMicrosecond);

void BM_MusicFaultShippedMp3(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MusicFault(ZEDOV_SOURCE_DIR "/Music/Starfall.mp3"));
}
BENCHMARK(BM_MusicFaultShippedMp3)->Unit(benchmark::kMicrosecond);

}  // namespace
