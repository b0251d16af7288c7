// A song's music file as its bytes tell it: what kind of audio it holds,
// whether SDL_mixer can play it, and how long it lasts. Only the file's ends
// are read (an ID3v2 tag of any size is skipped by its declared size), so
// no file, however large, holds up the frame that asks.
//
// SDL_mixer (1.2.12, as Debian builds it) picks its decoder by the name's
// extension and only by the first bytes when the name has none it knows: an
// Ogg file named .mp3 would go to the MP3 decoder, which plays it, and any
// junk, as silence. So the game names the decoder by the content (the kind
// below), and refuses what no decoder of SDL_mixer takes.
#pragma once
#include <cstdint>
#include <string>

// The bound no real song reaches; a larger file is refused unread.
inline constexpr uint64_t MostMusicBytes = uint64_t{1} << 30;

enum class MusicKind : int {
  Unknown,    // nothing SDL_mixer's decoders take
  Mp3,        // MPEG audio frames, two in a row, after any ID3v2 tag
  OggVorbis,  // an Ogg page whose first packet is a Vorbis header
  OggOther,   // an Ogg page of another codec (Opus, FLAC), which SDL_mixer does not decode
  Wav,        // a RIFF WAVE header
};

// The kind of audio the file holds, by its content; Unknown when it cannot be read.
MusicKind MusicKindOf(const std::string& path);

// Why SDL_mixer cannot play the file, as the end of "cannot play <file>: ";
// empty when it can: "the file cannot be read", "it is not Ogg audio", "it
// holds no MP3 audio", an Ogg file whose last 64 KB hold no page (the
// decoder would read all of it looking for one), a file over MostMusicBytes.
std::string MusicFault(const std::string& path);

// Seconds of music in an OGG (Vorbis or Opus: the last page's sample count)
// or an MP3 (the frame count of a Xing or Info header, else the first
// frame's bit rate over the bytes from it to the end); 0 when the file tells nothing.
double MusicSeconds(const std::string& path);
