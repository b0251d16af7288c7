// Starting a song, and the play state it sets up for the judgement and the play screen.
#pragma once
#include <SDL_mixer.h>

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// The judgement words; the value is also the cell of RatingSheet.
enum Rating : int { Boo = 0, Good = 1, Perfect = 2 };

// A judgement word floating up the play screen.
struct RatingPopup {
  int32_t x = 258;
  int32_t y = 50;
  int rating = Boo;
};

// In creation order. It grows as needed: at most one popup per note, so a
// song can never make more than the note list holds.
inline std::vector<RatingPopup> PopupList;

// The counters of one song, reset by StartSong.
inline int32_t BooCount = 0;
inline int32_t GoodCount = 0;
inline int32_t PerfectCount = 0;
inline int32_t Combo = 0;         // GOOD or PERFECT judgements since the last miss
inline int32_t LongestCombo = 0;  // raised by the play screen once per frame

// Press timer per column: 0 idle, 125 pressed this frame, 2..124 counting
// down after a press, 1 still held after the countdown.
inline int32_t ColumnTimer[4];
inline int32_t PlayStart = 0;     // GameClockMs at which the song position is 0
inline int32_t SongPosition = 0;  // milliseconds of the song played
inline int32_t FrameDelta = 0;    // how far SongPosition moved in the current play frame

inline Mix_Music* CurrentMusic = nullptr;  // null when the song would not load

// Most notes a song plays: the 990th record read is the one dropped (see ReadChartSection).
inline constexpr int MostRecordsRead = 990;

void AppendPopup(const RatingPopup& popup);
// Removes the popup at an index; the rest keep their order.
void RemovePopup(int index);
void EmptyPopupList();

// A whitespace-separated token reader that behaves like formatted stream input
// but never holds more than LongestChartToken + 1 characters of one token:
// a longer token is a failed read. Once a read fails or meets the end of the
// input, the reader is no longer good and later reads do nothing.
struct TokenReader {
  std::istream* in = nullptr;
  bool good = false;
};

TokenReader MakeTokenReader(std::istream& in);
// Reads one word; false when nothing was read.
bool ReadWord(TokenReader& reader, std::string& word);
// Reads a decimal whole number (optional sign, digits; stops before any other
// character). False when there are no digits or it does not fit in 32 bits.
bool ReadNumber(TokenReader& reader, int32_t& value);

// Empties NoteList and fills it with the section of one difficulty read from a
// chart stream or file: N records give N notes, at most MostRecordsRead - 1.
void ReadChartSection(std::istream& in, int difficulty);
void ReadChartSection(const std::string& path, int difficulty);

// Zeroes the counters, the timers and the song position.
void ResetPlayState();

// Runs once, in the frame after the difficulty select chose a song: loads
// the music and the chart, starts the music, anchors the song clock, goes to Play.
void StartSong();
