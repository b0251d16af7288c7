// Splitting a step file into its tags, cleaning the text in place as it goes.
#include "charts/step_tags.h"

#include "charts/text.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// Reading position and writing position in the same text: the cleaned text
// never outgrows what was read, so it is written over what was read.
struct Cursor {
  std::string& text;
  size_t read = 0;
  size_t write = 0;
};

bool AtComment(const Cursor& at) {
  return at.text[at.read] == '/' && at.read + 1 < at.text.size() && at.text[at.read + 1] == '/';
}

void SkipComment(Cursor& at) {
  while (at.read < at.text.size() && !IsLineBreak(at.text[at.read])) ++at.read;
}

std::string_view Written(const Cursor& at, size_t from) {
  return std::string_view(at.text).substr(from, at.write - from);
}

// After the "#": the name up to ":" (or a ";" that ends the tag at once), then
// the value up to ";". A "#" first on its line ends a tag whose ";" is missing,
// and is left to start the next tag.
StepPiece ReadTag(Cursor& at) {
  std::string& text = at.text;
  size_t nameStart = at.write, valueStart = std::string::npos;
  bool lineBlank = false;  // only blanks since the last line break
  while (at.read < text.size()) {
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
    if (c == '\\' && at.read + 1 < text.size()) c = text[++at.read];  // an escaped character is plain text
    ++at.read;
    if (IsLineBreak(c))
      lineBlank = true;
    else if (c != ' ' && c != '\t')
      lineBlank = false;
    text[at.write++] = valueStart == std::string::npos ? UpperAscii(c) : c;
  }
  size_t nameEnd = valueStart == std::string::npos ? at.write : valueStart;
  StepPiece tag{true, Trimmed(std::string_view(text).substr(nameStart, nameEnd - nameStart)), {}};
  if (valueStart != std::string::npos) tag.value = Written(at, valueStart);
  return tag;
}

bool HasExtension(std::string_view name, std::string_view extension) {
  return name.size() >= extension.size() && SameLetters(name.substr(name.size() - extension.size()), extension);
}

}  // namespace

std::vector<StepPiece> SplitStepText(std::string& text) {
  std::vector<StepPiece> pieces;
  Cursor at{text};
  if (std::string_view(text).starts_with(ByteOrderMark)) at.read = ByteOrderMark.size();
  size_t looseStart = 0;
  while (at.read < text.size()) {
    if (AtComment(at)) {
      SkipComment(at);
    } else if (text[at.read] == '#') {
      if (at.write > looseStart) pieces.push_back({false, {}, Written(at, looseStart)});
      ++at.read;
      pieces.push_back(ReadTag(at));
      looseStart = at.write;
    } else {
      text[at.write++] = text[at.read++];
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

std::string PreferredStepFile(const std::vector<std::string>& names) {
  for (const std::string& name : names)
    if (IsSscName(name)) return name;
  for (const std::string& name : names)
    if (IsSmName(name)) return name;
  return {};
}
