// The small text operations of the file formats: white space as formatted
// input sees it in the C locale, trimming, and ASCII-only letter case.
#pragma once
#include <string>
#include <string_view>

inline constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

inline std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

inline constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A UTF-8 byte order mark, which some editors put at the start of a text file,
// and its length at the start of a text: 3 when the text starts with it, else 0.
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
inline size_t ByteOrderMarkLength(std::string_view text) {
  return text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
}

// Equal but for the letter case of a..z.
inline bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// Whether the name ends with the extension (".sm"), in any letter case.
inline bool HasExtension(std::string_view name, std::string_view extension) {
  return name.size() >= extension.size() && SameLetters(name.substr(name.size() - extension.size()), extension);
}
