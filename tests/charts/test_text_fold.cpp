// Names folded to the font's ASCII: letters, spellings, punctuation, and the strict UTF-8 reader.
#include <gtest/gtest.h>

#include <string>

#include "charts/text_fold.h"

namespace {

// UTF-8 bytes of any code point up to U+10FFFF, surrogates included.
std::string Utf8(char32_t code) {
  auto byte = [](unsigned value) { return static_cast<char>(value); };
  if (code < 0x80) return {byte(code)};
  if (code < 0x800) return {byte(0xC0 | code >> 6), byte(0x80 | (code & 0x3F))};
  if (code < 0x10000) return {byte(0xE0 | code >> 12), byte(0x80 | (code >> 6 & 0x3F)), byte(0x80 | (code & 0x3F))};
  return {byte(0xF0 | code >> 18), byte(0x80 | (code >> 12 & 0x3F)), byte(0x80 | (code >> 6 & 0x3F)),
          byte(0x80 | (code & 0x3F))};
}

}  // namespace

TEST(TextFold, AccentedLettersBecomeTheirPlainLettersInTheirCase) {
  EXPECT_EQ(FoldToAscii("Café Déjà Vu"), "Cafe Deja Vu");
  EXPECT_EQ(FoldToAscii("ñçøåüÿžłő ÑÇØÅÜŸŽŁŐ"), "ncoauyzlo NCOAUYZLO");
  EXPECT_EQ(FoldToAscii("ÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖØÙÚÛÜÝ"), "AAAAAACEEEEIIIINOOOOOOUUUUY");
  EXPECT_EQ(FoldToAscii("àáâãäåçèéêëìíîïñòóôõöøùúûüýÿ"), "aaaaaaceeeeiiiinoooooouuuuyy");
  EXPECT_EQ(FoldToAscii("Příliš žluťoučký kůň úpěl ďábelské ódy"), "Prilis zlutoucky kun upel dabelske ody");
  EXPECT_EQ(FoldToAscii("İstanbul Iğdır Şş ĞĢģĶķĻļŅņŖŗ ĉĝĥĵŝŭ ĀĒĪŌŪ"), "Istanbul Igdir Ss GGgKkLlNnRr cghjsu AEIOU");
  EXPECT_EQ(FoldToAscii("Știință Țară ș ț"), "Stiinta Tara s t");
  EXPECT_EQ(FoldToAscii("Tiếng Việt Ước mơ Đà Nẵng Ỹ ỹ"), "Tieng Viet Uoc mo Da Nang Y y");
  EXPECT_EQ(FoldToAscii("Nǚ Lǜ ǍǏǑǓ"), "Nu Lu AIOU");
  EXPECT_EQ(FoldToAscii("Ḍḥṛṣṭ Ẁẃẅ"), "Dhrst Www");
}

TEST(TextFold, LigaturesAndSpecialLettersSpellOut) {
  EXPECT_EQ(FoldToAscii("Straße"), "Strasse");
  EXPECT_EQ(FoldToAscii("Ærø"), "AEro");
  EXPECT_EQ(FoldToAscii("ẞ æ Æ œ Œ ĳ Ĳ þ Þ"), "SS ae AE oe OE ij IJ th TH");
  EXPECT_EQ(FoldToAscii("ðÐđĐħıŀŉſ"), "dDdDhilns");
}

TEST(TextFold, DashesQuotesAndSpacesBecomeAscii) {
  EXPECT_EQ(FoldToAscii("naïve — “quoted” ‘x’"), "naive - \"quoted\" 'x'");
  EXPECT_EQ(FoldToAscii("‐‑‒–—―−"), "-------");
  EXPECT_EQ(FoldToAscii("‘’‚‛′´"), "''''''");
  EXPECT_EQ(FoldToAscii("“”„‟″«»"), "\"\"\"\"\"\"\"");
  EXPECT_EQ(FoldToAscii("Wait…"), "Wait...");
  EXPECT_EQ(FoldToAscii("a\u00A0b\u2000c\u200Ad\u202Fe\u205Ff\u3000g"), "a b c d e f g");
  EXPECT_EQ(FoldToAscii("3×4 A·B•C"), "3x4 A.B.C");
  EXPECT_EQ(FoldToAscii("ＤＤＲ　１ｓｔ！～"), "DDR 1st!~");
}

TEST(TextFold, OtherCharactersAreOneQuestionMarkEach) {
  EXPECT_EQ(FoldToAscii("日本語の歌"), "?????");
  EXPECT_EQ(FoldToAscii("ドラム mix"), "??? mix");
  EXPECT_EQ(FoldToAscii("🎵🎶 Song 😀"), "?? Song ?");
  EXPECT_EQ(FoldToAscii("Привет Ωμέγα ÷"), "?????? ????? ?");
}

TEST(TextFold, CombiningAccentsAfterALetterAreDropped) {
  EXPECT_EQ(FoldToAscii("Cafe\u0301"), "Cafe");
  EXPECT_EQ(FoldToAscii("Vie\u0323\u0302t"), "Viet");  // two accents on one letter
  EXPECT_EQ(FoldToAscii("\u0301a"), "?a");
  EXPECT_EQ(FoldToAscii(" \u0301 1\u0301 日\u0301"), " ? 1? ??");
}

TEST(TextFold, PrintableAsciiStaysAndControlCharactersAreQuestionMarks) {
  std::string ascii, folded;
  for (int c = 0; c < 128; ++c) {
    ascii += static_cast<char>(c);
    folded += c >= 32 && c <= 126 ? static_cast<char>(c) : '?';
  }
  EXPECT_EQ(FoldToAscii(ascii), folded);
  EXPECT_EQ(FoldToAscii("\u0085\u009F"), "??");  // the C1 controls
}

TEST(TextFold, InvalidBytesAreOneQuestionMarkEach) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\x80" "b", "a?b"},  {"\xBF\x80\x80", "???"},  // stray continuation bytes
      {"\xC3", "?"},         {"\xE3\x81", "??"},       // truncated at the end
      {"\xC3" "A", "?A"},    {"\xE3\x81" "A", "??A"}, {"\xF0\x9F\x8E" "A", "???A"},  // cut by an ASCII byte
      {"\xC3\xC3\xA9", "?e"},  // a new lead ends the sequence and starts its own
      {"\xC0\x80", "??"},    {"\xC1\xBF", "??"},   {"\xE0\x80\x80", "???"}, {"\xE0\x9F\xBF", "???"},  // overlong
      {"\xF0\x80\x80\x80", "????"}, {"\xF0\x8F\xBF\xBF", "????"},
      {"\xED\xA0\x80", "???"}, {"\xED\xAD\xBF", "???"}, {"\xED\xBF\xBF", "???"},  // surrogates
      {"\xF4\x90\x80\x80", "????"}, {"\xF7\xBF\xBF\xBF", "????"},                  // past U+10FFFF
  };
  for (const auto& [bytes, folded] : cases) EXPECT_EQ(FoldToAscii(bytes), folded) << testing::PrintToString(bytes);
  for (int lead = 0xF5; lead <= 0xFF; ++lead) {
    EXPECT_EQ(FoldToAscii(std::string{static_cast<char>(lead)} + "é"), "?e") << lead;
    const Utf8Char c = DecodeUtf8(std::string{static_cast<char>(lead), '\x80', '\x80', '\x80'});
    EXPECT_TRUE(!c.valid && c.length == 1 && c.code == static_cast<char32_t>(lead)) << lead;
  }
  EXPECT_EQ(DecodeUtf8("").length, 0u);
}

TEST(TextFold, FourByteCharacterCutAtTheEnd) {
  const std::string note = "\xF0\x9F\x8E\xB5";  // U+1F3B5
  for (size_t n = 1; n < 4; ++n) EXPECT_EQ(FoldToAscii("ab" + note.substr(0, n)), "ab" + std::string(n, '?')) << n;
  EXPECT_EQ(FoldToAscii("ab" + note), "ab?");
}

TEST(TextFold, SequenceLengthBoundariesDecode) {
  const struct { std::string bytes; char32_t code; } cases[] = {
      {"\x7F", 0x7F},      {"\xC2\x80", 0x80},   {"\xDF\xBF", 0x7FF},  {"\xE0\xA0\x80", 0x800},
      {"\xED\x9F\xBF", 0xD7FF}, {"\xEE\x80\x80", 0xE000}, {"\xEF\xBF\xBF", 0xFFFF},
      {"\xF0\x90\x80\x80", 0x10000}, {"\xF4\x8F\xBF\xBF", 0x10FFFF},
  };
  for (const auto& [bytes, code] : cases) {
    const Utf8Char c = DecodeUtf8(bytes + "z");
    EXPECT_TRUE(c.valid && c.code == code && c.length == bytes.size()) << std::hex << static_cast<unsigned>(code);
    EXPECT_EQ(FoldToAscii(bytes + "z"), "?z") << std::hex << static_cast<unsigned>(code);
  }
}

// Whatever a name holds, the font has a glyph for every byte of its label.
TEST(TextFold, EveryCodePointFoldsToPrintableAscii) {
  int failures = 0;
  for (char32_t code = 0; code <= 0x10FFFF && failures < 10; ++code) {
    const std::string bytes = Utf8(code);
    const Utf8Char c = DecodeUtf8(bytes);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    const bool decoded = surrogate ? !c.valid && c.length == 1 : c.valid && c.code == code && c.length == bytes.size();
    const std::string folded = FoldToAscii(bytes);
    bool printable = !folded.empty() && folded.size() <= 3;
    for (char b : folded) printable = printable && b >= 32 && b <= 126;
    if (!decoded || !printable) {
      ++failures;
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(code) << " folds to \"" << folded << "\"";
    }
  }
  EXPECT_EQ(failures, 0);
}
