// Music lengths from OGG and MP3 headers, and the preview's span.
#include "charts/music_length.h"

#include <unistd.h>

#include <cstdint>

#include "charts/safe_file.h"
#include "charts/step_head.h"

namespace {

constexpr size_t Window = 64 * 1024;  // the bytes read at each end

// The first (or last) bytes of a regular file, and its size; empty for anything else.
std::string ReadEnd(const std::string& path, bool last, uint64_t& size) {
  std::string bytes;
  size = 0;
  FileRead found;
  int fd = OpenFileToRead(path, SIZE_MAX, found);  // music may be of any size: only its ends are read
  if (fd < 0) return bytes;
  off_t end = lseek(fd, 0, SEEK_END);
  if (end > 0) {
    size = static_cast<uint64_t>(end);
    uint64_t want = size < Window ? size : Window;
    bytes.resize(want);
    ssize_t got = pread(fd, bytes.data(), want, static_cast<off_t>(last ? size - want : 0));
    bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  }
  close(fd);
  return bytes;
}

uint64_t Little(const std::string& b, size_t at, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(b[at + i]);
  return value;
}

uint64_t Big(const std::string& b, size_t at, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | static_cast<unsigned char>(b[at + i]);
  return value;
}

double OggSeconds(const std::string& head, const std::string& path) {
  size_t packet = 27 + (head.size() > 26 ? static_cast<unsigned char>(head[26]) : 0);
  double rate = 0;
  if (head.compare(packet, 7, "\x01vorbis") == 0 && head.size() >= packet + 16) rate = static_cast<double>(Little(head, packet + 12, 4));
  if (head.compare(packet, 8, "OpusHead") == 0) rate = 48000;  // Opus counts at 48 kHz whatever it was made from
  uint64_t size;
  std::string tail = ReadEnd(path, true, size);
  size_t page = tail.rfind("OggS");
  if (rate <= 0 || page == std::string::npos || tail.size() < page + 14) return 0;
  auto samples = static_cast<int64_t>(Little(tail, page + 6, 8));
  return samples > 0 ? static_cast<double>(samples) / rate : 0;
}

// An MP3 after any ID3v2 tag: the first frame's header, then a Xing or Info frame count if there is one.
double Mp3Seconds(const std::string& head, uint64_t size) {
  size_t at = 0;
  if (head.compare(0, 3, "ID3") == 0 && head.size() >= 10)
    at = 10 + ((head[6] & 0x7F) << 21 | (head[7] & 0x7F) << 14 | (head[8] & 0x7F) << 7 | (head[9] & 0x7F));
  while (at + 4 <= head.size() && !(static_cast<unsigned char>(head[at]) == 0xFF && (head[at + 1] & 0xE0) == 0xE0)) ++at;
  if (at + 4 > head.size()) return 0;
  int version = (head[at + 1] >> 3) & 3, layer = (head[at + 1] >> 1) & 3;
  int bitIndex = (head[at + 2] >> 4) & 15, rateIndex = (head[at + 2] >> 2) & 3;
  bool mono = ((head[at + 3] >> 6) & 3) == 3, mpeg1 = version == 3;
  if (layer != 1 || bitIndex == 0 || bitIndex == 15 || rateIndex == 3 || version == 1) return 0;  // layer III only
  constexpr int Bits1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  constexpr int Bits2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  constexpr int Rates[] = {44100, 48000, 32000};
  double rate = Rates[rateIndex] / (mpeg1 ? 1.0 : version == 2 ? 2.0 : 4.0);
  double kbps = mpeg1 ? Bits1[bitIndex] : Bits2[bitIndex];
  size_t xing = at + 4 + (mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17));
  if (head.size() >= xing + 12 && (head.compare(xing, 4, "Xing") == 0 || head.compare(xing, 4, "Info") == 0) &&
      (head[xing + 7] & 1))
    return static_cast<double>(Big(head, xing + 8, 4)) * (mpeg1 ? 1152 : 576) / rate;
  return static_cast<double>(size - at) * 8 / (kbps * 1000);
}

}  // namespace

double MusicSeconds(const std::string& path) {
  uint64_t size;
  std::string head = ReadEnd(path, false, size);
  if (head.compare(0, 4, "OggS") == 0) return OggSeconds(head, path);
  return Mp3Seconds(head, size);
}

SampleSpan SampleSpanOf(const std::string& musicPath, const std::string& stepPath) {
  SampleSpan span;
  const StepHead* head = stepPath.empty() ? nullptr : &ReadStepHead(stepPath);
  if (head != nullptr && head->sampleLength > 0) span.length = head->sampleLength;
  if (head != nullptr && head->sampleStart >= 0)
    span.start = head->sampleStart;
  else
    span.start = 0.4 * MusicSeconds(musicPath);
  return span;
}
