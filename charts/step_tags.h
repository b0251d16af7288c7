// The tags of a StepMania step file (.sm or .ssc), read as StepMania reads them:
// "#NAME:value;" where the value runs to its ";" wherever that stands (two
// tags may share a line, a value may span many lines), in any letter case,
// with LF, CRLF or CR line ends. "//" starts a comment up to the line's end,
// in a value or between tags; a backslash makes the next character plain text
// (an escaped ";" ends nothing). A value whose ";" is missing ends at the next
// line whose first non-blank character is "#". Text between tags is no tag.
// A UTF-8 byte order mark at the start is skipped.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct StepTag {
  std::string name;   // upper-cased ("#bpms:" gives "BPMS"), blanks around it dropped
  std::string value;  // everything between the first ":" and the ";", comments and escapes
                      // taken out, otherwise as written (not trimmed, inner ":" kept)
};

// Every tag of the file, in file order; a tag without ":" has an empty value.
std::vector<StepTag> ReadStepTags(std::string_view text);

// The same split without copies, for the converter: a piece is a tag or the
// loose text before one. The text is cleaned in place (comments and escapes
// out, names upper-cased), and the views point into it.
struct StepPiece {
  bool tag;               // false for loose text between tags
  std::string_view name;  // of a tag
  std::string_view value; // of a tag, or the loose text
};
std::vector<StepPiece> SplitStepText(std::string& text);

// Of the file names of one song folder, the step file StepMania reads there:
// an .ssc file when there is one, else an .sm file, the first of its kind in
// the order given (letter case of the extension does not matter). Empty when
// there is neither.
std::string PreferredStepFile(const std::vector<std::string>& names);

// Whether, of the file names of one folder, StepMania passes over this step
// file for another of the same name it prefers: an .sm file beside an .ssc one.
bool StepFilePassedOver(std::string_view name, const std::vector<std::string>& names);

// Whether the name ends with .ssc or with .sm, in any letter case.
bool IsSscName(std::string_view name);
bool IsSmName(std::string_view name);
