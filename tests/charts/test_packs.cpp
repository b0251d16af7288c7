// The song library's packs and song folders, their labels, the search, and the preview's span.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/music_file.h"
#include "charts/music_length.h"
#include "charts/packs.h"
#include "charts/song_labels.h"
#include "charts/step_head.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Songs(const std::vector<LibrarySong>& songs) {
  std::vector<std::string> paths;
  for (const LibrarySong& song : songs) paths.push_back(song.song + (song.stepFile.empty() ? "" : " | " + song.stepFile));
  return paths;
}

}  // namespace

TEST(SongLibrary, PacksSongFoldersAndLooseSongsByWhatTheyHold) {
  ScratchFolder scratch;
  for (const char* file : {"Music/a.mp3", "Music/a.mp3.tq", "Music/Solo/x.ogg", "Music/Pack/S1/b.ogg",
                           "Music/Pack/s0/t.MP3", "Music/Pack/Empty/readme.txt", "Music/Pack/Deeper/Sub/z.ogg",
                           "Music/NoMusic/notes.sm", "Music/Old.mp3/cover.png", "Music/\xFF\xFE/S/m.ogg"})
    WriteTextFile(file, "");
  WriteTextFile("Music/Solo/x.sm", "#TITLE:Sm;");
  WriteTextFile("Music/Solo/x.ssc", "#TITLE:Caf\xC3\xA9;#SUBTITLE:(Remix);");  // a .ssc before a .sm
  // Two music files: the step file's #MUSIC picks, in any letter case; without it the first by name.
  for (const char* file : {"Music/Pack/S2/c.mp3", "Music/Pack/S2/D.ogg", "Music/Pack/S3/f.ogg", "Music/Pack/S3/E.mp3"})
    WriteTextFile(file, "");
  WriteTextFile("Music/Pack/S2/s.sm", "#MUSIC:d.OGG;\n#NOTES:");
  WriteTextFile("Music/Pack/S3/s.sm", "#MUSIC:gone.ogg;");
  fs::create_directory_symlink("loop", "Music/loop");
  fs::create_directory_symlink("..", "Music/Up");
  ScanSongLibrary();
  ASSERT_EQ(Packs.size(), 3u);  // Up is the scratch folder: its Music/ is a song folder, two levels down
  EXPECT_EQ(Packs[0].name, "Pack");
  EXPECT_EQ(Songs(Packs[1].songs), (std::vector<std::string>{"Up/Music/a.mp3"}));
  EXPECT_EQ(Songs(Packs[0].songs), (std::vector<std::string>{"Pack/s0/t.MP3", "Pack/S1/b.ogg",
                                                             "Pack/S2/D.ogg | Pack/S2/s.sm", "Pack/S3/E.mp3 | Pack/S3/s.sm"}));
  EXPECT_EQ(PackLabel(Packs[2]), "?? (1 song)");
  EXPECT_EQ(PackLabel(Packs[0]), "Pack (4 songs)");
  EXPECT_EQ(Songs(LooseSongs), (std::vector<std::string>{"a.mp3", "Old.mp3", "Solo/x.ogg | Solo/x.ssc"}));
  std::vector<std::string> labels;
  for (const LibrarySong& song : LooseSongs) labels.push_back(SongLabel(song));
  EXPECT_EQ(labels, (std::vector<std::string>{"a", "Old", "Cafe (Remix)"}));
  EXPECT_EQ(SongLabel(Packs[0].songs[2]), "S2");  // a step file without a title: the folder's name
  // A title the font cannot draw: its transliteration, else the folder's name.
  WriteTextFile("Music/J/a.sm", "#TITLE:\xE6\x9D\xB1;#SUBTITLE:?!;#TITLETRANSLIT:Higashi;");
  WriteTextFile("Music/J/b.sm", "#TITLE:\xE6\x9D\xB1;");
  EXPECT_EQ(SongLabel({"J/a.ogg", "J", "J/a.sm", false}), "Higashi");
  EXPECT_EQ(SongLabel({"J/b.ogg", "J", "J/b.sm", false}), "J");
  EXPECT_EQ(StepFileOfSong("Solo/x.ogg"), "Solo/x.ssc");
  EXPECT_EQ(SongTitle("Solo/x.ogg"), "Cafe (Remix)");  // the title line of the song chosen
  EXPECT_EQ(SongTitle("Pack/S1/b.ogg"), "S1");
  EXPECT_EQ(SongTitle("a.mp3"), "a");
  EXPECT_EQ(StepFileOfSong("a.mp3"), "");
}

// A chart's own tags after the head, whatever the case of the tag that opens
// the notes, never stand for the song's.
TEST(SongLibrary, TheHeadEndsAtTheNotesInAnyCase) {
  ScratchFolder scratch;
  WriteTextFile("a.ssc", "#MUSIC:song.ogg;\n#notedata:;\n#MUSIC:chart.ogg;\n#notes:\n0000\n;");
  WriteTextFile("b.sm", "#Title:Head;\n#notes:\n  dance-single:\n#TITLE:Notes;");
  EXPECT_EQ(ReadStepHead("a.ssc").music, "song.ogg");
  EXPECT_EQ(ReadStepHead("b.sm").title, "Head");
}

TEST(SongLibrary, MissingMusicFolderGivesNoPacksAndNoSongs) {
  ScratchFolder scratch;
  Packs.push_back({"stale", {}});
  ScanSongLibrary();
  EXPECT_TRUE(Packs.empty() && LooseSongs.empty());
}

TEST(SongSearch, AnywhereInTheLabelLetterCaseAside) {
  struct Case {
    const char* label;
    const char* typed;
    bool found;
  } cases[] = {{"Cafe (Remix)", "cafe", true}, {"Cafe (Remix)", "MIX", true}, {"abc", "", true},
               {"abc", "abd", false},         {"ab", "abc", false},          {"Song 12", "g 1", true}};
  for (const Case& c : cases) EXPECT_EQ(LabelMatches(c.label, c.typed), c.found) << c.label << " / " << c.typed;
}

TEST(SongPreview, SpanFromTheStepFileElseFortyPercentForTwelveSeconds) {
  ScratchFolder scratch;
  // An OGG: a Vorbis header of 44100 Hz on the first page, 441000 samples on the last.
  std::string ogg = std::string("OggS") + std::string(22, '\0') + '\x01' + '\x1e' + "\x01vorbis" +
                    std::string(4, '\0') + '\x02' + std::string("\x44\xac\x00\x00", 4) + std::string(20, '\0');
  ogg += std::string("OggS") + '\0' + '\x04' + std::string("\xa8\xba\x06\x00\x00\x00\x00\x00", 8) + std::string(20, '\0');
  WriteTextFile("Music/t.ogg", ogg);
  // An MP3 of MPEG-1 layer III at 44.1 kHz, stereo, with an Info header of 383 frames: 10 s.
  std::string mp3 = std::string("\xFF\xFB\x90\x00", 4) + std::string(32, '\0') + "Info" + std::string("\0\0\0\x01", 4) +
                    std::string("\0\0\x01\x7F", 4) + std::string(400, '\0');
  WriteTextFile("Music/t.mp3", mp3);
  WriteTextFile("Music/cbr.mp3", std::string("\xFF\xFB\x90\x00", 4) + std::string(15996, '\0'));  // 128 kbps
  WriteTextFile("Music/s.sm", "#SAMPLESTART:31.5;#SAMPLELENGTH:8;");
  WriteTextFile("Music/bad.sm", "#SAMPLESTART:soon;#SAMPLELENGTH:-3;");
  EXPECT_DOUBLE_EQ(MusicSeconds("Music/t.ogg"), 10.0);
  EXPECT_NEAR(MusicSeconds("Music/t.mp3"), 383 * 1152 / 44100.0, 1e-9);
  EXPECT_NEAR(MusicSeconds("Music/cbr.mp3"), 1.0, 1e-9);
  struct Case {
    const char* music;
    const char* step;
    double start, length;
  } cases[] = {{"Music/t.ogg", "", 4.0, 12}, {"Music/t.ogg", "Music/s.sm", 31.5, 8},
               {"Music/t.ogg", "Music/bad.sm", 4.0, 12}, {"Music/none.ogg", "", 0, 12}, {"Music", "", 0, 12}};
  for (const Case& c : cases) {
    SampleSpan span = SampleSpanOf(c.music, c.step);
    EXPECT_NEAR(span.start, c.start, 1e-9) << c.music << " " << c.step;
    EXPECT_DOUBLE_EQ(span.length, c.length) << c.music << " " << c.step;
  }
}
