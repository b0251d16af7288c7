#include "game/song_start.h"

#include <SDL.h>

#include <fstream>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/library.h"
#include "game/notes.h"
#include "kit/chrome.h"

namespace {

using Traits = std::char_traits<char>;

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool Fail(TokenReader& reader) {
  reader.good = false;
  return false;
}

// Skips white space; meeting the end of the input first is a failed read.
bool SkipSpace(TokenReader& reader) {
  std::streambuf* buffer = reader.in->rdbuf();
  int c = buffer->sgetc();
  while (c != Traits::eof() && IsSpace(c)) c = buffer->snextc();
  return c == Traits::eof() ? Fail(reader) : true;
}

// Like formatted input, a token that runs into the end of the input is still
// delivered, but nothing is read after it.
void NoteEndOfInput(TokenReader& reader) {
  if (reader.in->rdbuf()->sgetc() == Traits::eof()) reader.good = false;
}

// Reads one record into a note appended beforehand, as the reading loop
// appends before it reads; once a read fails the rest do nothing.
void ReadRecord(TokenReader& reader) {
  NoteList.push_back(Note{});
  Note& note = NoteList.back();
  std::string separator;
  if (ReadNumber(reader, note.column) && ReadNumber(reader, note.time) && ReadNumber(reader, note.hold))
    ReadWord(reader, separator);
}

}  // namespace

void AppendPopup(const RatingPopup& popup) { PopupList.push_back(popup); }

void RemovePopup(int index) {
  if (index >= 0 && index < static_cast<int>(PopupList.size())) PopupList.erase(PopupList.begin() + index);
}

void EmptyPopupList() { PopupList.clear(); }

TokenReader MakeTokenReader(std::istream& in) {
  TokenReader reader;
  reader.in = &in;
  reader.good = in.good() && in.rdbuf() != nullptr;
  return reader;
}

bool ReadWord(TokenReader& reader, std::string& word) {
  if (!reader.good || !SkipSpace(reader)) return false;
  std::streambuf* buffer = reader.in->rdbuf();
  word.clear();
  for (int c = buffer->sgetc(); c != Traits::eof() && !IsSpace(c); c = buffer->snextc()) {
    if (word.size() == LongestChartToken) return Fail(reader);
    word.push_back(Traits::to_char_type(c));
  }
  NoteEndOfInput(reader);
  return true;
}

bool ReadNumber(TokenReader& reader, int32_t& value) {
  if (!reader.good || !SkipSpace(reader)) return false;
  std::streambuf* buffer = reader.in->rdbuf();
  int c = buffer->sgetc();
  bool negative = c == '-';
  size_t length = 0;
  if (c == '-' || c == '+') {
    c = buffer->snextc();
    ++length;
  }
  const int64_t limit = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  size_t digits = 0;
  for (; c >= '0' && c <= '9'; c = buffer->snextc(), ++digits) {
    if (++length > LongestChartToken) return Fail(reader);
    // Past the limit the exact value no longer matters: it will not fit.
    if (magnitude <= limit) magnitude = magnitude * 10 + (c - '0');
  }
  if (digits == 0) return Fail(reader);
  int64_t result = negative ? -magnitude : magnitude;
  if (result < INT32_MIN || result > INT32_MAX) return Fail(reader);
  value = static_cast<int32_t>(result);
  NoteEndOfInput(reader);
  return true;
}

void ReadChartSection(std::istream& in, int difficulty) {
  EmptyNoteList();
  if (difficulty < 0 || difficulty >= DifficultyCount) return;
  NoteList.reserve(MostRecordsRead);
  TokenReader reader = MakeTokenReader(in);
  bool inSection = false;
  std::string word;
  while (reader.good && static_cast<int>(NoteList.size()) < MostRecordsRead) {
    if (inSection)
      ReadRecord(reader);
    else if (ReadWord(reader, word) && StartsWith(word, SectionTags[difficulty]))
      inSection = true;
  }
  // The last record is the one whose pass met the end of the section.
  if (!NoteList.empty()) NoteList.pop_back();
}

void ReadChartSection(const std::string& path, int difficulty) {
  std::ifstream in(path);
  ReadChartSection(in, difficulty);
}

void ResetPlayState() {
  LongestCombo = Combo = BooCount = GoodCount = PerfectCount = 0;
  SongPosition = 0;
  for (int32_t& timer : ColumnTimer) timer = 0;
}

void StartSong() {
  if (CurrentMusic != nullptr) Mix_FreeMusic(CurrentMusic);  // never left behind by the play screen
  CurrentMusic = Mix_LoadMUS(MusicPath(SelectedSong).c_str());
  EmptyNoteList();
  EmptyPopupList();
  ReadChartSection(ChartPath(SelectedSong), SelectedDifficulty);
  Mix_PlayMusic(CurrentMusic, 0);
  ResetPlayState();
  // The GameClockMs reading at the moment the music started, however long the
  // loading took; unsigned arithmetic wraps instead of overflowing.
  uint32_t sinceChrome = SDL_GetTicks() - LastTicks;
  PlayStart = static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) + sinceChrome);
  Screen = Play;
}
