// Music files: what SDL_mixer plays, by content under the decoder the name picks, and their length.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "charts/music_file.h"
#include "test_files.h"

namespace {

// An ID3v2.4 tag holding one picture frame of `bytes` bytes; `footer` sets the footer flag and adds it.
std::string Id3Tag(size_t bytes, bool footer = false) {
  std::string size;
  for (int shift : {21, 14, 7, 0}) size += static_cast<char>(((bytes + 10) >> shift) & 0x7F);
  std::string frame = "APIC" + std::string(4, '\0') + std::string(2, '\0') + std::string(bytes, '\xFF');
  std::string end = footer ? "3DI" + std::string(7, '\0') : "";
  return std::string("ID3\x04\x00", 5) + (footer ? '\x10' : '\0') + size + frame + end;
}

const std::string Frame = std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\x55');  // 128 kb/s, 44.1 kHz
// An Ogg page whose packet is a Vorbis header of 44100 Hz.
const std::string Vorbis = std::string("OggS") + std::string(22, '\0') + "\x01\x1e\x01vorbis" + std::string(4, '\0') +
                           '\x02' + std::string("\x44\xac\x00\x00", 4) + std::string(20, '\0');

}  // namespace

TEST(MusicFile, PlaysWhatADecoderOfItsContentTakes) {
  ScratchFolder scratch;
  struct Case { const char* name; std::string bytes; const char* fault; };
  for (const Case& c : {Case{"a.mp3", Frame + Frame, ""}, Case{"b.MP3", Id3Tag(128) + Frame + Frame, ""},
                        Case{"footer.mp3", Id3Tag(300 * 1024, true) + Frame + Frame, ""},
                        Case{"tag.mp3", Id3Tag(128), "it holds no MP3 audio"},
                        Case{"cut.mp3", Frame + Frame.substr(0, 3), "it holds no MP3 audio"},
                        Case{"junk.mp3", std::string(5000, 'x'), "it holds no MP3 audio"},
                        Case{"empty.mp3", "", "it holds no MP3 audio"},
                        Case{"ogg.mp3", Vorbis, ""},
                        Case{"wav.mp3", std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + Frame, ""},
                        Case{"g.ogg", Vorbis + Frame, ""}, Case{"opus.ogg", "OggS" + Frame, "it is not Ogg Vorbis audio"},
                        Case{"h.OGG", Frame + Frame, ""}, Case{"junk.ogg", std::string(5000, 'x'), "it is not Ogg audio"},
                        Case{"padded.ogg", Vorbis + std::string(70000, '\0'), "its last 64 KB hold no Ogg page"},
                        Case{"noname", Vorbis, ""}}) {
    WriteTextFile(c.name, c.bytes);
    EXPECT_EQ(MusicFault(c.name), c.fault) << c.name;
  }
  EXPECT_EQ(MusicKindOf("ogg.mp3"), MusicKind::OggVorbis);
  EXPECT_EQ(MusicFault("missing.mp3"), "the file cannot be read");
  EXPECT_EQ(MusicFault("."), "the file cannot be read");
  int fd = open("huge.ogg", O_CREAT | O_WRONLY, 0644);  // sparse: no disk taken
  ASSERT_EQ(write(fd, Vorbis.data(), Vorbis.size()), static_cast<ssize_t>(Vorbis.size()));
  ASSERT_EQ(ftruncate(fd, off_t{3} << 30), 0);
  close(fd);
  EXPECT_EQ(MusicFault("huge.ogg"), "it is over 1 GB, larger than any song");
}

// A real MP3 made by our tools, with a 1 MB cover picture before it: played, and as long as without.
TEST(MusicFile, AnyTagIsSkippedByItsDeclaredSize) {
  ScratchFolder scratch;
  std::string mp3 = ReadTextFile(std::string(ZEDOV_SOURCE_DIR) + "/Music/Starfall.mp3");
  ASSERT_FALSE(mp3.empty());
  WriteTextFile("cover.mp3", Id3Tag(1 << 20) + mp3);
  EXPECT_EQ(MusicFault("cover.mp3"), "");
  EXPECT_GT(MusicSeconds("cover.mp3"), 10);
  EXPECT_NEAR(MusicSeconds("cover.mp3"), MusicSeconds(std::string(ZEDOV_SOURCE_DIR) + "/Music/Starfall.mp3"), 1e-9);
}
