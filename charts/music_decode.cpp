// MP3 through libmad's frame decoder and synthesis, as the mixer's MP3 player
// drives them: every frame that decodes is synthesised and kept, the Xing or
// Info frame (silence) included, and a frame that fails to decode gives no
// samples; nothing is trimmed. OGG through libvorbisfile from its first sample.
#include "charts/music_decode.h"

#include <mad.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "charts/job_control.h"
#include "charts/music_file.h"
#include "charts/safe_file.h"

namespace {

using Feed = JobControl;

size_t MostSamples(int rate) { return static_cast<size_t>(LongestDecodedSeconds * rate); }

bool IsMpegSync(const std::string& b, size_t at) {
  return at + 1 < b.size() && static_cast<unsigned char>(b[at]) == 0xFF && (b[at + 1] & 0xE0) == 0xE0;
}

// Adds the synthesised frame's samples, the channels mixed down.
void KeepSynth(const mad_pcm& pcm, DecodedMusic& music) {
  const float scale = 1.0f / static_cast<float>(MAD_F_ONE) / pcm.channels;
  for (unsigned i = 0; i < pcm.length; ++i) {
    float sum = 0;
    for (unsigned c = 0; c < pcm.channels; ++c) sum += static_cast<float>(pcm.samples[c][i]);
    music.samples.push_back(std::clamp(sum * scale, -1.0f, 1.0f));
  }
}

bool DecodeMp3(const std::string& bytes, DecodedMusic& music, const Feed& feed) {
  // The decoder reads up to MAD_BUFFER_GUARD bytes past a frame: the last one gets zeros.
  std::string buffer = bytes;
  buffer.append(MAD_BUFFER_GUARD, '\0');
  mad_stream stream;
  mad_frame frame;
  mad_synth synth;
  mad_stream_init(&stream);
  mad_frame_init(&frame);
  mad_synth_init(&synth);
  mad_stream_buffer(&stream, reinterpret_cast<const unsigned char*>(buffer.data()), buffer.size());
  int frames = 0;
  while (!feed.Cancelled()) {
    if (mad_frame_decode(&frame, &stream) != 0) {
      if (MAD_RECOVERABLE(stream.error)) continue;
      break;  // the end of the bytes, or a fault the player stops at too
    }
    if (music.rate == 0) music.rate = static_cast<int>(frame.header.samplerate);
    mad_synth_frame(&synth, &frame);
    KeepSynth(synth.pcm, music);
    if (music.rate <= 0 || music.samples.size() >= MostSamples(music.rate)) break;
    if (++frames % 256 == 0) feed.Report(static_cast<double>(stream.this_frame - stream.buffer) / buffer.size());
  }
  mad_synth_finish(&synth);
  mad_frame_finish(&frame);
  mad_stream_finish(&stream);
  return !feed.Cancelled() && music.rate > 0 && !music.samples.empty();
}

// libvorbisfile reads the bytes through these.
struct OggBytes {
  const std::string* bytes;
  size_t at = 0;
};

size_t OggRead(void* into, size_t size, size_t count, void* source) {
  auto* in = static_cast<OggBytes*>(source);
  size_t want = size * count, left = in->bytes->size() - in->at, n = std::min(want, left);
  std::memcpy(into, in->bytes->data() + in->at, n);
  in->at += n;
  return size ? n / size : 0;
}

int OggSeek(void* source, ogg_int64_t offset, int whence) {
  auto* in = static_cast<OggBytes*>(source);
  long long size = static_cast<long long>(in->bytes->size()), base = whence == SEEK_CUR ? in->at : whence == SEEK_END ? size : 0;
  long long to = base + offset;
  if (to < 0 || to > size) return -1;
  in->at = static_cast<size_t>(to);
  return 0;
}

long OggTell(void* source) { return static_cast<long>(static_cast<OggBytes*>(source)->at); }

bool DecodeOgg(const std::string& bytes, DecodedMusic& music, const Feed& feed) {
  OggBytes source{&bytes};
  OggVorbis_File file;
  ov_callbacks calls{OggRead, OggSeek, nullptr, OggTell};
  if (ov_open_callbacks(&source, &file, nullptr, 0, calls) != 0) return false;
  vorbis_info* info = ov_info(&file, -1);
  music.rate = info && info->rate > 0 && info->rate <= 384000 ? static_cast<int>(info->rate) : 0;
  int section = 0, reads = 0;
  while (music.rate > 0 && !feed.Cancelled() && music.samples.size() < MostSamples(music.rate)) {
    float** pcm = nullptr;
    long got = ov_read_float(&file, &pcm, 4096, &section);
    if (got == OV_HOLE) continue;  // a gap in the stream: the player skips it too
    if (got <= 0) break;
    vorbis_info* now = ov_info(&file, section);
    int channels = now && now->channels > 0 ? now->channels : 1;
    for (long i = 0; i < got; ++i) {
      float sum = 0;
      for (int c = 0; c < channels; ++c) sum += pcm[c][i];
      music.samples.push_back(std::clamp(sum / channels, -1.0f, 1.0f));
    }
    if (++reads % 64 == 0) feed.Report(static_cast<double>(source.at) / std::max<size_t>(bytes.size(), 1));
  }
  ov_clear(&file);
  return !feed.Cancelled() && music.rate > 0 && !music.samples.empty();
}

}  // namespace

bool DecodeMusicBytes(const std::string& bytes, DecodedMusic& music, std::string& why,
                      const std::atomic<bool>* cancel, std::atomic<float>* progress) {
  music = DecodedMusic{};
  Feed feed{cancel, progress};
  bool ogg = bytes.compare(0, 4, "OggS") == 0;
  size_t sync = 0;
  while (sync < bytes.size() && sync < 4096 && !IsMpegSync(bytes, sync)) ++sync;
  bool mp3 = bytes.compare(0, 3, "ID3") == 0 || IsMpegSync(bytes, sync);
  if (!ogg && !mp3) {
    why = "not OGG Vorbis or MP3 music";
    return false;
  }
  bool done = ogg ? DecodeOgg(bytes, music, feed) : DecodeMp3(bytes, music, feed);
  if (!done) {
    why = feed.Cancelled() ? "cancelled" : ogg ? "no Vorbis sound could be decoded" : "no MP3 sound could be decoded";
    music = DecodedMusic{};
    return false;
  }
  feed.Report(1);
  return true;
}

bool DecodeMusicFile(const std::string& path, DecodedMusic& music, std::string& why,
                     const std::atomic<bool>* cancel, std::atomic<float>* progress) {
  music = DecodedMusic{};
  why = MusicFault(path);  // what the game cannot play is not listened to either
  if (!why.empty()) return false;
  std::string bytes;
  FileRead read = ReadWholeFile(path, bytes, 512u * 1024 * 1024);
  if (read != FileRead::Read) {
    why = read == FileRead::Missing ? "no such file" : read == FileRead::TooLarge ? "larger than 512 MB" : "cannot be read";
    music = DecodedMusic{};
    return false;
  }
  return DecodeMusicBytes(bytes, music, why, cancel, progress);
}
