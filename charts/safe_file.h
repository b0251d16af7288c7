// The game's files on disk, read so that no file can hang or flood the game,
// and written so that a crash or a full disk during the write never leaves a
// half file: the old one survives instead.
//
// Reading: a file is opened without waiting (a FIFO without a writer answers
// at once) and read only when the opened descriptor is a regular file, so a
// FIFO, a device or a folder is a file that cannot be read, whatever its name
// and however it is swapped in; and no reader takes more than MostFileBytes.
#pragma once
#include <cstddef>
#include <string>

// Most bytes read from any one file (16 MB).
inline constexpr size_t MostFileBytes = 16 * 1024 * 1024;

enum class FileRead : int {
  Read,        // read whole
  Missing,     // there is no such file
  Unreadable,  // no regular file (a FIFO, a device, a folder), or opening or reading it failed
  TooLarge,    // larger than the limit: refused by its size, before reading
};

// Opens a file to read without waiting on it and keeps it open only when the
// descriptor is a regular file of at most `limit` bytes. Returns the
// descriptor (the caller closes it), or -1 with why not in `found`.
int OpenFileToRead(const std::string& path, size_t limit, FileRead& found);

// read(), again when interrupted: the count read, 0 at the end, -1 on failure.
long ReadPiece(int fd, char* into, size_t size);

// The whole text of a file of at most `limit` bytes; anything else reads no text.
FileRead ReadWholeFile(const std::string& path, std::string& text, size_t limit = MostFileBytes);

// The start of a file: all of it or, when it is longer than `limit`, its first
// `limit` bytes cut back to their last line break, so that a line cut by the
// limit is never read. False (and no text) when the file cannot be read.
bool ReadFileStart(const std::string& path, std::string& text, size_t limit = MostFileBytes);

// Whether the file opens, without waiting, as a regular file: asked before a
// file goes to a library that opens it by name and would wait on a FIFO.
bool IsReadableFile(const std::string& path);

// The file that a path's symbolic links lead to (the path itself when it is
// no link), found even when it does not exist yet, for writing through them.
std::string ThroughLinks(const std::string& path);

// Name prefix of the temporary files of ReplaceFile.
inline constexpr const char* TempFilePrefix = ".zedov-tmp-";

// Writes the text to a temporary file beside path with the mode of the file
// it replaces (or the usual mode for a new one), syncs it, renames it over
// path and syncs the folder. A file without write permission is not replaced.
// Returns false (and leaves any old file untouched) when that fails, with a
// short reason in lower case in `why` ("no space left on device").
bool ReplaceFile(const std::string& path, const std::string& text, std::string& why);
bool ReplaceFile(const std::string& path, const std::string& text);

// Removes what saves cut short left behind: regular files named TempFilePrefix
// and more, in the folder and in the folders below it down to `depth` levels
// (symbolic links are not followed). Nothing else is touched.
void RemoveStaleTempFiles(const std::string& folder, int depth);
