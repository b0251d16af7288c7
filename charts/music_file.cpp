// Music files: their kind, whether SDL_mixer plays them, and their length,
// from the MPEG frame headers and Ogg pages at their ends.
#include "charts/music_file.h"

#include <unistd.h>

#include <string_view>

#include "charts/safe_file.h"
#include "charts/text.h"

namespace {

constexpr size_t Window = 64 * 1024;  // the bytes read where the audio starts, and at the end of an Ogg file
constexpr int MostTags = 8;           // ID3v2 tags skipped one after another

// What was read of a music file.
struct MusicBytes {
  bool readable = false;
  uint64_t size = 0;
  uint64_t start = 0;  // where the audio starts: after any ID3v2 tags
  std::string head;    // up to Window bytes from start
  std::string tail;    // an Ogg file's last Window bytes
};

std::string ReadAt(int fd, uint64_t at, size_t most) {
  std::string bytes(most, '\0');
  size_t got = 0;
  while (got < most) {
    ssize_t n = pread(fd, bytes.data() + got, most - got, static_cast<off_t>(at + got));
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

// The length an ID3v2 header declares for its whole tag (4 x 7 bits, and 10
// more for a footer); 0 when the bytes start with none.
uint64_t Id3TagLength(const std::string& b) {
  if (b.size() < 10 || b.compare(0, 3, "ID3") != 0) return 0;
  uint64_t size = 0;
  for (int i = 6; i < 10; ++i) size = size << 7 | (static_cast<unsigned char>(b[i]) & 0x7F);
  return 10 + size + ((b[5] & 0x10) != 0 ? 10 : 0);
}

bool IsOgg(const std::string& head) { return head.compare(0, 4, "OggS") == 0; }

// A file larger than MostMusicBytes is measured, not read.
MusicBytes ReadMusicBytes(const std::string& path) {
  MusicBytes m;
  FileRead found;
  int fd = OpenFileToRead(path, SIZE_MAX, found);  // no FIFO or folder is waited on
  if (fd < 0) return m;
  off_t end = lseek(fd, 0, SEEK_END);
  m.readable = end >= 0;
  m.size = end > 0 ? static_cast<uint64_t>(end) : 0;
  if (m.readable && m.size <= MostMusicBytes) {
    m.head = ReadAt(fd, 0, Window);
    for (int tags = 0; tags < MostTags && Id3TagLength(m.head) > 0; ++tags) {
      m.start += Id3TagLength(m.head);
      m.head = ReadAt(fd, m.start, Window);
    }
    if (IsOgg(m.head)) m.tail = ReadAt(fd, m.size > Window ? m.size - Window : 0, Window);
  }
  close(fd);
  return m;
}

// Kilobits a second by [MPEG 1, 2][layer I, II, III][index]; MPEG 2 shares layer II's row for III.
constexpr int Kbps[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};

// An MPEG audio frame header.
struct Frame {
  bool mpeg1 = false, mono = false;
  int layer = 0;  // 0 layer I, 1 II, 2 III
  int rate = 0;   // samples a second
  long bits = 0;  // bits a second
  size_t length = 0;  // bytes of the whole frame
  int samples = 0;    // samples in it
};

// The frame whose header starts at h; false for no header.
bool ReadFrame(const unsigned char* h, Frame& f) {
  if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return false;
  const int version = (h[1] >> 3) & 3;  // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5, 1 reserved
  f.layer = 3 - ((h[1] >> 1) & 3);      // 3 is reserved
  const int bitrate = h[2] >> 4, rateIndex = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
  if (version == 1 || f.layer == 3 || bitrate == 0 || bitrate == 15 || rateIndex == 3) return false;
  f.mpeg1 = version == 3;
  f.mono = (h[3] >> 6) == 3;
  f.rate = (rateIndex == 0 ? 44100 : rateIndex == 1 ? 48000 : 32000) >> (f.mpeg1 ? 0 : version == 2 ? 1 : 2);
  f.bits = Kbps[f.mpeg1 ? 0 : 1][f.layer][bitrate] * 1000L;
  f.samples = f.layer == 0 ? 384 : f.layer == 2 && !f.mpeg1 ? 576 : 1152;
  f.length = f.layer == 0 ? static_cast<size_t>((12 * f.bits / f.rate + padding) * 4)
                          : static_cast<size_t>(f.samples / 8 * f.bits / f.rate + padding);
  return true;
}

// The first frame header at or after `from`, or npos.
size_t NextFrame(const std::string& bytes, size_t from, Frame& f) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t at = from; at + 4 <= bytes.size(); ++at)
    if (ReadFrame(data + at, f)) return at;
  return std::string::npos;
}

// Two frame headers in a row, the second where the first one's length says:
// what the MP3 decoder plays, rather than junk it would play as silence.
bool HasMpegFrames(const std::string& bytes) {
  Frame f, next;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t at = NextFrame(bytes, 0, f); at != std::string::npos; at = NextFrame(bytes, at + 1, f))
    if (f.length >= 4 && at + f.length + 4 <= bytes.size() && ReadFrame(data + at + f.length, next)) return true;
  return false;
}

MusicKind KindOf(const MusicBytes& m) {
  const std::string& h = m.head;
  if (IsOgg(h)) {
    size_t packet = 27 + (h.size() > 26 ? static_cast<unsigned char>(h[26]) : 0);
    return h.compare(packet, 7, "\x01vorbis") == 0 ? MusicKind::OggVorbis : MusicKind::OggOther;
  }
  if (h.compare(0, 4, "RIFF") == 0 && h.compare(8, 4, "WAVE") == 0) return MusicKind::Wav;
  return HasMpegFrames(h) ? MusicKind::Mp3 : MusicKind::Unknown;
}

// The decoder SDL_mixer gives the file: by the extension, else by the content.
MusicKind DecoderOf(const std::string& path, MusicKind content) {
  size_t dot = path.rfind('.');
  std::string_view extension = dot == std::string::npos ? "" : std::string_view(path).substr(dot + 1);
  for (const char* name : {"mp3", "mpg", "mpeg", "mad"})
    if (SameLetters(extension, name)) return MusicKind::Mp3;
  if (SameLetters(extension, "ogg")) return MusicKind::OggVorbis;
  if (SameLetters(extension, "wav")) return MusicKind::Wav;
  return content;
}

uint64_t Little(const std::string& b, size_t at, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(b[at + i]);
  return value;
}

double OggSeconds(const MusicBytes& m) {
  size_t packet = 27 + static_cast<unsigned char>(m.head.size() > 26 ? m.head[26] : 0);
  double rate = 0;
  if (KindOf(m) == MusicKind::OggVorbis && m.head.size() >= packet + 16)
    rate = static_cast<double>(Little(m.head, packet + 12, 4));
  if (m.head.compare(packet, 8, "OpusHead") == 0) rate = 48000;  // Opus counts at 48 kHz whatever it was made from
  size_t page = m.tail.rfind("OggS");
  if (rate <= 0 || page == std::string::npos || m.tail.size() < page + 14) return 0;
  auto samples = static_cast<int64_t>(Little(m.tail, page + 6, 8));
  return samples > 0 ? static_cast<double>(samples) / rate : 0;
}

// The first frame's header, then a layer III Xing or Info header's frame count if there is one.
double Mp3Seconds(const MusicBytes& m) {
  Frame f;
  size_t at = NextFrame(m.head, 0, f);
  if (at == std::string::npos) return 0;
  size_t xing = at + 4 + (f.mpeg1 ? (f.mono ? 17 : 32) : (f.mono ? 9 : 17));
  const std::string& h = m.head;
  if (f.layer == 2 && h.size() >= xing + 12 && (h.compare(xing, 4, "Xing") == 0 || h.compare(xing, 4, "Info") == 0) &&
      (h[xing + 7] & 1)) {
    uint64_t frames = 0;
    for (int i = 0; i < 4; ++i) frames = frames << 8 | static_cast<unsigned char>(h[xing + 8 + i]);
    return static_cast<double>(frames) * f.samples / f.rate;
  }
  return static_cast<double>(m.size - m.start - at) * 8 / static_cast<double>(f.bits);
}

}  // namespace

MusicKind MusicKindOf(const std::string& path) { return KindOf(ReadMusicBytes(path)); }

std::string MusicFault(const std::string& path) {
  MusicBytes m = ReadMusicBytes(path);
  if (!m.readable) return "the file cannot be read";
  if (m.size > MostMusicBytes) return "it is over 1 GB, larger than any song";
  // The game hands a file of a known kind to that kind's decoder; only an
  // unknown one goes where its name sends it.
  MusicKind kind = KindOf(m), decoder = kind != MusicKind::Unknown ? kind : DecoderOf(path, kind);
  switch (decoder) {
    case MusicKind::Mp3:
      return kind == MusicKind::Mp3 ? "" : "it holds no MP3 audio";
    case MusicKind::OggVorbis:
      if (kind == MusicKind::OggOther) return "it is not Ogg Vorbis audio";
      if (kind != MusicKind::OggVorbis) return "it is not Ogg audio";
      // The Ogg decoder looks for the last page backwards from the end, reading all the way.
      return m.tail.find("OggS") == std::string::npos ? "its last 64 KB hold no Ogg page" : "";
    case MusicKind::Wav:
      return kind == MusicKind::Wav ? "" : "it is not WAV audio";
    case MusicKind::OggOther:
      return "it is not Ogg Vorbis audio";
    case MusicKind::Unknown:
      break;
  }
  return "it holds no audio the game can play";
}

double MusicSeconds(const std::string& path) {
  MusicBytes m = ReadMusicBytes(path);
  return IsOgg(m.head) ? OggSeconds(m) : Mp3Seconds(m);
}
