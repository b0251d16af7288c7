// Song and pack names as the bitmap font can draw them: the font has only the
// printable ASCII glyphs (32..126), while names from packs come in UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// One character read from the front of UTF-8 text. Bytes that are not strict
// UTF-8 (stray continuation, truncated or overlong sequence, surrogate, past
// U+10FFFF, F5..FF) read as one invalid character of length 1 whose code is
// that byte, so reading resumes at the next byte. Empty text gives an invalid
// character of length 0.
struct Utf8Char {
  char32_t code = 0;
  size_t length = 0;
  bool valid = false;
};
Utf8Char DecodeUtf8(std::string_view text);

// The text as the font can draw it: UTF-8 decoded, accented Latin letters
// as their plain letters, dashes and quotes as ASCII, anything else one '?'.
// Ligatures spell out (ß -> ss, æ -> ae), full-width forms become plain ASCII,
// control characters and each invalid byte become '?'. A combining accent
// (U+0300..U+036F) right after a letter is dropped: decomposed names, as
// macOS stores them, then read like composed ones.
// Every byte of the result is one drawn glyph, so a label limited to n drawn
// characters is FoldToAscii(name).substr(0, n).
std::string FoldToAscii(std::string_view text);
