// Writing the game's files (charts, scores) so that a crash or a full disk
// during the write never leaves a half file: the old one survives instead.
#pragma once
#include <string>

// Writes the text to a temporary file beside path, then renames it over path.
// Returns false (and leaves any old file untouched) when that fails.
bool ReplaceFile(const std::string& path, const std::string& text);
