// The music analysis and its decoding, on songs of known beats.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "charts/music_analysis.h"
#include "charts/music_decode.h"
#include "synth_music.h"
#include "test_files.h"

namespace {

MusicAnalysis Analyse(const SynthSong& song) {
  std::vector<float> samples = Synthesise(song);
  return AnalyseMusic(samples.data(), samples.size(), song.rate);
}

// How far a found beat lies from the nearest true one.
double GridError(const SynthSong& song, double ms) {
  double period = 60000 / song.bpm, k = std::round((ms - song.firstBeatMs) / period);
  return ms - (song.firstBeatMs + k * period);
}

// Tempo within 0.02 BPM, the first and last beats within 10 ms, whatever the
// tempo, the first beat, the kind of music or its rate; a tempo below the
// dancer's range is given as its double.
TEST(MusicAnalysis, FindsTheBeatOfSteadySongs) {
  struct Case { SynthSong song; double expectedBpm; };
  for (const Case& c : {Case{{120, 0, 40}, 120}, Case{{127.35, 1234, 90}, 127.35}, Case{{127.35, 3034, 12}, 127.35}, Case{{60, 500, 60}, 120},
                        Case{{200, 4800, 60}, 200}, Case{{95, 300, 60, SynthKind::Melody}, 95},
                        Case{{140, 38, 60, SynthKind::Swung}, 140}, Case{{174.2, 2000, 90, SynthKind::SilentMiddle}, 174.2},
                        Case{{88.8, 5000, 150}, 88.8}, Case{{101.5, 750, 60, SynthKind::Drums, 22050}, 101.5},
                        Case{{163.27, 10, 60, SynthKind::Drums, 48000}, 163.27}}) {
    MusicAnalysis found = Analyse(c.song);
    SCOPED_TRACE(testing::Message() << c.song.bpm << " BPM from " << c.song.firstBeatMs << " ms");
    EXPECT_NEAR(found.bpm, c.expectedBpm, 0.02);
    EXPECT_GE(found.confidence, SureConfidence);
    EXPECT_NEAR(found.doubleBpm, 2 * found.bpm, 1e-9);
    EXPECT_NEAR(found.halfBpm, found.bpm / 2, 1e-9);
    EXPECT_NEAR(found.firstBeatMs, c.song.firstBeatMs, 10);
    double lastBeat = found.firstBeatMs + (found.beats - 1) * 60000 / found.bpm;
    EXPECT_NEAR(GridError(c.song, lastBeat), 0, 10);
    EXPECT_GT(lastBeat + 60000 / found.bpm, found.endMs - 400) << "the beats reach the music's end";
    EXPECT_LE(lastBeat, found.endMs);
    ASSERT_FALSE(found.onsets.empty());
  }
  for (float down : {0.03f, 0.01f}) {
    std::vector<float> quiet = Synthesise({95, 300, 60, SynthKind::Melody});
    for (float& x : quiet) x *= down;
    EXPECT_NEAR(AnalyseMusic(quiet.data(), quiet.size(), 44100).bpm, 95, 0.02) << "a quiet song, at " << down;
  }
}

// Noise, silence, notes at random times and a change of tempo have no
// steady beat: no tempo is made up.
TEST(MusicAnalysis, NoSteadyBeatGivesALowConfidenceAndNoTempo) {
  for (SynthKind kind : {SynthKind::Noise, SynthKind::Silence, SynthKind::Free}) {
    MusicAnalysis found = Analyse({120, 0, 40, kind});
    EXPECT_LT(found.confidence, SureConfidence) << static_cast<int>(kind);
    EXPECT_EQ(found.bpm, 0) << static_cast<int>(kind);
    EXPECT_EQ(found.beats, 0);
  }
  std::vector<float> changing = Synthesise({160, 0, 40}), faster = Synthesise({170, 0, 20});
  changing.insert(changing.end(), faster.begin(), faster.end());  // the tempo changes two thirds in
  EXPECT_LT(AnalyseMusic(changing.data(), changing.size(), 44100).confidence, SureConfidence);
  MusicAnalysis none = AnalyseMusic(nullptr, 0, 44100);
  EXPECT_EQ(none.bpm, 0);
  float one = 0.5f;
  EXPECT_EQ(AnalyseMusic(&one, 1, 0).bpm, 0);
  // A held tone in an MP3: the encoder's frames shimmer as steadily as a beat.
  ScratchFolder folder;
  std::vector<float> tone(44100 * 20);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5f * std::sin(2 * M_PI * 440 * i / 44100);
  DecodedMusic held;
  std::string why;
  if (EncodeSong(tone, 44100, "tone.mp3") && DecodeMusicFile("tone.mp3", held, why))
    EXPECT_LT(AnalyseMusic(held.samples.data(), held.samples.size(), held.rate).confidence, SureConfidence) << "a held tone";
  std::atomic<bool> cancel{true};
  std::vector<float> drums = Synthesise({120, 0, 20});
  EXPECT_TRUE(AnalyseMusic(drums.data(), drums.size(), 44100, &cancel).onsets.empty()) << "cancelled";
}

// MP3 keeps every sample the mixer plays (encoder delay, the Info frame and
// the decoder's own delay: 576 + 1152 + 529 samples before a click at 10000);
// OGG starts at its first sample. Broken files fail with a reason.
TEST(MusicDecode, SamplesLineUpWithPlaybackAndBadFilesFail) {
  ScratchFolder folder;
  std::vector<float> click(44100 * 2, 0.0f), drums = Synthesise({120, 0, 10});
  for (int i = 10000; i < 10200; ++i) click[i] = 0.5f;
  for (auto [name, firstLoud] : {std::pair{"click.mp3", 10000 + 576 + 1152 + 529}, std::pair{"click.ogg", 10000}}) {
    if (!EncodeSong(click, 44100, name)) GTEST_SKIP() << "lame or oggenc is missing";
    DecodedMusic music;
    std::string why;
    ASSERT_TRUE(DecodeMusicFile(name, music, why)) << why;
    EXPECT_EQ(music.rate, 44100);
    size_t loud = 0;
    while (loud < music.samples.size() && std::fabs(music.samples[loud]) < 0.1f) ++loud;
    EXPECT_NEAR(static_cast<double>(loud), firstLoud, 2) << name;
    ASSERT_TRUE(EncodeSong(drums, 44100, std::string("drums") + name));
    std::string bytes = ReadTextFile(std::string("drums") + name);
    EXPECT_TRUE(DecodeMusicBytes(bytes.substr(0, bytes.size() / 2), music, why)) << "a cut file keeps its start";
    EXPECT_NEAR(music.samples.size(), 44100 * 5, 44100);
  }
  DecodedMusic music;
  std::string why;
  for (const std::string& junk : {std::string(), std::string("OggS") + std::string(3000, 'x'), std::string("ID3\3\0\0\0\0\0\10", 10),
                                  std::string(5000, '\xff'), std::string("just some text"), ReadTextFile("click.ogg").substr(0, 200)}) {
    EXPECT_FALSE(DecodeMusicBytes(junk, music, why)) << junk.size();
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(music.samples.empty());
  }
  EXPECT_FALSE(DecodeMusicFile("missing.mp3", music, why));
  EXPECT_EQ(why, "the file cannot be read");
}

}  // namespace
