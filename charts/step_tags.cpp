// Splitting a step file into its tags, cleaning the text in place as it goes.
#include "charts/step_tags.h"

#include <array>
#include <cstring>

#include "charts/text.h"

namespace {

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// Reading position and writing position in the same text: the cleaned text
// never outgrows what was read, so it is written over what was read.
struct Cursor {
  char* data;
  size_t size;
  size_t read = 0;
  size_t write = 0;
};

// The characters that may end, cut or change a run of plain text; line
// breaks are plain within a run but are watched for a "#" first on its line.
constexpr std::array<bool, 256> SpecialCharacters = [] {
  std::array<bool, 256> special{};
  for (unsigned char c : std::string_view(";:#/\\")) special[c] = true;
  return special;
}();

bool IsSpecial(char c) { return SpecialCharacters[static_cast<unsigned char>(c)]; }

bool AtComment(const Cursor& at) {
  return at.data[at.read] == '/' && at.read + 1 < at.size && at.data[at.read + 1] == '/';
}

void SkipComment(Cursor& at) {
  while (at.read < at.size && !IsLineBreak(at.data[at.read])) ++at.read;
}

std::string_view Written(const Cursor& at, size_t from) { return std::string_view(at.data + from, at.write - from); }

bool IsBlankOnLine(char c) { return c == ' ' || c == '\t'; }

// Copies the plain characters up to the next special one; false when there are none.
bool CopyRun(Cursor& at, bool upperCase, bool& lineBlank) {
  const char* data = at.data;
  size_t start = at.read, end = at.read;
  while (end < at.size && !IsSpecial(data[end])) ++end;
  if (end == start) return false;
  size_t lineStart = end;  // where the last line of the run begins
  while (lineStart > start && !IsLineBreak(data[lineStart - 1])) --lineStart;
  if (lineStart > start) lineBlank = true;
  for (size_t i = lineStart; lineBlank && i < end; ++i) lineBlank = IsBlankOnLine(data[i]);
  if (upperCase) {
    for (size_t i = start; i < end; ++i) at.data[at.write + (i - start)] = UpperAscii(data[i]);
  } else if (at.write != start) {
    std::memmove(at.data + at.write, data + start, end - start);
  }
  at.write += end - start;
  at.read = end;
  return true;
}

// After the "#": the name up to ":" (or a ";" that ends the tag at once), then
// the value up to ";". A "#" first on its line ends a tag whose ";" is missing,
// and is left to start the next tag.
StepPiece ReadTag(Cursor& at) {
  char* text = at.data;
  size_t nameStart = at.write, valueStart = std::string::npos;
  bool lineBlank = false;  // only blanks since the last line break
  while (at.read < at.size) {
    if (CopyRun(at, valueStart == std::string::npos, lineBlank)) continue;
    char c = text[at.read];
    if (AtComment(at)) {
      SkipComment(at);
      continue;
    }
    if (c == ';') {
      ++at.read;
      break;
    }
    if (c == '#' && lineBlank) break;
    if (c == ':' && valueStart == std::string::npos) {
      ++at.read;
      valueStart = at.write;
      continue;
    }
    if (c == '\\' && at.read + 1 < at.size) c = text[++at.read];  // an escaped character is plain text
    ++at.read;
    if (IsLineBreak(c))
      lineBlank = true;
    else if (c != ' ' && c != '\t')
      lineBlank = false;
    text[at.write++] = valueStart == std::string::npos ? UpperAscii(c) : c;
  }
  size_t nameEnd = valueStart == std::string::npos ? at.write : valueStart;
  StepPiece tag{true, Trimmed(std::string_view(text + nameStart, nameEnd - nameStart)), {}};
  if (valueStart != std::string::npos) tag.value = Written(at, valueStart);
  return tag;
}

}  // namespace

std::vector<StepPiece> SplitStepText(std::string& text) {
  std::vector<StepPiece> pieces;
  Cursor at{text.data(), text.size()};
  at.read = ByteOrderMarkLength(text);
  size_t looseStart = 0;
  while (at.read < at.size) {
    if (AtComment(at)) {
      SkipComment(at);
    } else if (at.data[at.read] == '#') {
      if (at.write > looseStart) pieces.push_back({false, {}, Written(at, looseStart)});
      ++at.read;
      pieces.push_back(ReadTag(at));
      looseStart = at.write;
    } else if (bool lineBlank = false; !CopyRun(at, false, lineBlank)) {
      at.data[at.write++] = at.data[at.read++];
    }
  }
  if (at.write > looseStart) pieces.push_back({false, {}, Written(at, looseStart)});
  return pieces;
}

std::vector<StepTag> ReadStepTags(std::string_view text) {
  std::string copy(text);
  std::vector<StepTag> tags;
  for (const StepPiece& piece : SplitStepText(copy))
    if (piece.tag) tags.push_back({std::string(piece.name), std::string(piece.value)});
  return tags;
}

bool IsSscName(std::string_view name) { return HasExtension(name, ".ssc"); }
bool IsSmName(std::string_view name) { return HasExtension(name, ".sm"); }

namespace {

// StepMania's preference among step files: an .ssc file (0) before an .sm file (1); -1 for neither.
int StepFileRank(std::string_view name) { return IsSscName(name) ? 0 : IsSmName(name) ? 1 : -1; }

std::string_view Stem(std::string_view name) { return name.substr(0, name.rfind('.')); }

}  // namespace

std::string PreferredStepFile(const std::vector<std::string>& names) {
  for (int rank = 0; rank <= 1; ++rank)
    for (const std::string& name : names)
      if (StepFileRank(name) == rank) return name;
  return {};
}

bool StepFilePassedOver(std::string_view name, const std::vector<std::string>& names) {
  int rank = StepFileRank(name);
  if (rank < 0) return false;
  for (const std::string& other : names) {
    int otherRank = StepFileRank(other);
    if (otherRank >= 0 && otherRank < rank && SameLetters(Stem(other), Stem(name))) return true;
  }
  return false;
}
