// Folding UTF-8 names to the printable ASCII of the bitmap font: a strict
// UTF-8 reader, a table of the plain letters of accented Latin letters, and
// the few ligatures, dashes, quotes and spaces that have an ASCII spelling.
#include "charts/text_fold.h"

#include <array>

#include "charts/text.h"

namespace {

// Letters by code point from `first` on. With `pairs`, each letter stands for
// an upper and lower case pair (the layout of most Latin blocks); otherwise
// one letter per code point. '?' marks a letter with no plain form or one
// spelled out in Spellings below.
struct LetterRun {
  char32_t first;
  bool pairs;
  std::string_view letters;
};

constexpr std::array<LetterRun, 4> LetterRuns{{
    {0x00C0, false,
     // Latin-1 Supplement
     "AAAAAA?CEEEEIIII" "DNOOOOO?OUUUUY??"
     "aaaaaa?ceeeeiiii" "dnooooo?ouuuuy?y"
     // Latin Extended-A
     "AaAaAaCcCcCcCcDd" "DdEeEeEeEeEeGgGg" "GgGgHhHhIiIiIiIi" "Ii??JjKkkLlLlLlL"
     "lLlNnNnNnnNnOoOo" "Oo??RrRrRrSsSsSs" "SsTtTtTtUuUuUuUu" "UuUuWwYyYZzZzZzs"
     // Latin Extended-B: African, Pinyin, Romanian and Vietnamese letters
     "bBBb??OCcDDDd?EE" "EFfG??IIKkl?MNnO" "Oo??PpR????tTtTU" "u?VYyZz?????????"
     "?????????????AaI" "iOoUuUuUuUuUueAa" "Aa??GgGgKkOoOo??" "j???Gg??NnAa??Oo"
     "AaAaEeEeIiIiOoOo" "RrRrUuUuSsTt??Hh" "Nd??ZzAaEeOoOoOo" "OoYylntj??ACcLTs"
     "z??BUVEeJjQqRrYy"},
    // Latin Extended Additional: dotted and underlined letters, then Vietnamese
    {0x1E00, true, "ABBBCDDDDDEEEEEFGHHHHHIIKKKLLLLMMMNNNNOOOOPPRRRRSSSSSTTTTUUUUUVVWWWWWXXYZZZ"},
    {0x1E96, false, "htwyasss??"},
    {0x1EA0, true, "AAAAAAAAAAAAEEEEEEEEIIOOOOOOOOOOOOUUUUUUUYYYY?VY"},
}};
static_assert(LetterRuns[0].letters.size() == 0x250 - 0xC0, "Latin-1 to Latin Extended-B, one letter each");
static_assert(LetterRuns[1].letters.size() * 2 == 0x1E96 - 0x1E00);
static_assert(LetterRuns[2].letters.size() == 0x1EA0 - 0x1E96);
static_assert(LetterRuns[3].letters.size() * 2 == 0x1F00 - 0x1EA0);

// Characters that take more than one letter, or punctuation with an ASCII form.
struct Spelling {
  char32_t first, last;
  std::string_view text;
};

constexpr Spelling Spellings[] = {
    {0x00A0, 0x00A0, " "},  {0x00AB, 0x00AB, "\""}, {0x00B4, 0x00B4, "'"},  {0x00B7, 0x00B7, "."},
    {0x00BB, 0x00BB, "\""}, {0x00C6, 0x00C6, "AE"}, {0x00D7, 0x00D7, "x"},  {0x00DE, 0x00DE, "TH"},
    {0x00DF, 0x00DF, "ss"}, {0x00E6, 0x00E6, "ae"}, {0x00FE, 0x00FE, "th"}, {0x0132, 0x0132, "IJ"},
    {0x0133, 0x0133, "ij"}, {0x0152, 0x0152, "OE"}, {0x0153, 0x0153, "oe"}, {0x01C4, 0x01C4, "DZ"},
    {0x01C5, 0x01C5, "Dz"}, {0x01C6, 0x01C6, "dz"}, {0x01C7, 0x01C7, "LJ"}, {0x01C8, 0x01C8, "Lj"},
    {0x01C9, 0x01C9, "lj"}, {0x01CA, 0x01CA, "NJ"}, {0x01CB, 0x01CB, "Nj"}, {0x01CC, 0x01CC, "nj"},
    {0x01E2, 0x01E2, "AE"}, {0x01E3, 0x01E3, "ae"}, {0x01F1, 0x01F1, "DZ"}, {0x01F2, 0x01F2, "Dz"},
    {0x01F3, 0x01F3, "dz"}, {0x01FC, 0x01FC, "AE"}, {0x01FD, 0x01FD, "ae"}, {0x1E9E, 0x1E9E, "SS"},
    {0x2000, 0x200A, " "},  {0x2010, 0x2015, "-"},  {0x2018, 0x201B, "'"},  {0x201C, 0x201F, "\""},
    {0x2022, 0x2022, "."},  {0x2026, 0x2026, "..."}, {0x202F, 0x202F, " "}, {0x2032, 0x2032, "'"},
    {0x2033, 0x2033, "\""}, {0x205F, 0x205F, " "},  {0x2212, 0x2212, "-"},  {0x3000, 0x3000, " "},
};

constexpr char32_t FullWidthFirst = 0xFF01, FullWidthLast = 0xFF5E;  // ！ .. ～
constexpr char32_t FullWidthOffset = 0xFEE0;                          // from ASCII 33..126

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces, 0 for a byte that cannot start a character.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC0 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  return 0;
}

// The smallest code point each length may carry; less is an overlong encoding.
char32_t ShortestFor(size_t length) {
  constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  return Least[length];
}

bool IsScalarValue(char32_t code) { return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

char LetterOf(char32_t code) {
  for (const LetterRun& run : LetterRuns) {
    if (code < run.first) continue;
    const size_t index = code - run.first;
    if (run.pairs) {
      if (index / 2 < run.letters.size()) return index % 2 ? LowerAscii(run.letters[index / 2]) : run.letters[index / 2];
    } else if (index < run.letters.size()) {
      return run.letters[index];
    }
  }
  return '?';
}

std::string_view SpellingOf(char32_t code) {
  for (const Spelling& s : Spellings)
    if (code >= s.first && code <= s.last) return s.text;
  return {};
}

void AppendFolded(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += code >= 32 && code <= 126 ? static_cast<char>(code) : '?';
  } else if (std::string_view text = SpellingOf(code); !text.empty()) {
    out += text;
  } else if (code >= FullWidthFirst && code <= FullWidthLast) {
    out += static_cast<char>(code - FullWidthOffset);
  } else {
    out += LetterOf(code);
  }
}

bool IsCombiningAccent(char32_t code) { return code >= 0x0300 && code <= 0x036F; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

Utf8Char DecodeUtf8(std::string_view text) {
  if (text.empty()) return {};
  const Utf8Char invalid{static_cast<unsigned char>(text[0]), 1, false};
  const size_t length = SequenceLength(static_cast<unsigned char>(text[0]));
  if (length == 0 || length > text.size()) return invalid;
  if (length == 1) return {static_cast<char32_t>(text[0]), 1, true};
  char32_t code = static_cast<unsigned char>(text[0]) & (0x7F >> length);  // the lead's payload bits
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return invalid;
    code = code << 6 | (byte & 0x3F);
  }
  if (code < ShortestFor(length) || !IsScalarValue(code)) return invalid;
  return {code, length, true};
}

std::string FoldToAscii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8(text);
    text.remove_prefix(c.length);
    if (!c.valid) {
      out += '?';
    } else if (IsCombiningAccent(c.code)) {
      // The accent belongs to the letter before it, which is already plain.
      if (out.empty() || !IsAsciiLetter(out.back())) out += '?';
    } else {
      AppendFolded(c.code, out);
    }
  }
  return out;
}
