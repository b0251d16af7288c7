// Reading files that may be anything, replacing files whole, and sweeping up
// the temporary files of saves a crash cut short.
#include "charts/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "charts/text.h"

namespace {

// Reads until the end or `most` bytes; false when a read fails.
bool ReadUpTo(int fd, size_t most, std::string& text) {
  text.clear();
  struct stat status;
  if (fstat(fd, &status) == 0 && status.st_size > 0)
    text.reserve(std::min(static_cast<uintmax_t>(status.st_size), uintmax_t{most}));
  char piece[64 * 1024];
  while (text.size() < most) {
    long got = ReadPiece(fd, piece, std::min(sizeof piece, most - text.size()));
    if (got < 0) return false;
    if (got == 0) break;
    text.append(piece, static_cast<size_t>(got));
  }
  return true;
}

// A system error as the end of a sentence: "no space left on device".
std::string Reason(int error) {
  std::string why = std::strerror(error);
  if (!why.empty()) why[0] = LowerAscii(why[0]);
  return why;
}

bool Refuse(std::string& why, std::string reason) {
  why = std::move(reason);
  return false;
}

// The mode the new file takes: the old file's, or the usual one for a new file.
// False when the old file may not be replaced, with why.
bool ModeToKeep(const std::string& path, mode_t& mode, std::string& why) {
  struct stat old;
  if (stat(path.c_str(), &old) != 0) {
    int error = errno;
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
    return error == ENOENT ? true : Refuse(why, Reason(error));
  }
  // Root may write anything; a file with no write bit at all was made read-only on purpose.
  if ((old.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0) return Refuse(why, "the file is read-only");
  mode = old.st_mode & 07777;
  return true;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

// The rename only lasts through a power cut once the folder itself is on disk.
// The new file is in place by now, whatever this says.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

int OpenFileToRead(const std::string& path, size_t limit, FileRead& found) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    found = errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
    return -1;
  }
  struct stat status;
  found = FileRead::Read;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
    found = FileRead::Unreadable;
  else if (static_cast<uintmax_t>(status.st_size) > limit)
    found = FileRead::TooLarge;
  if (found == FileRead::Read) return fd;
  close(fd);
  return -1;
}

long ReadPiece(int fd, char* into, size_t size) {
  ssize_t got;
  do got = read(fd, into, size);
  while (got < 0 && errno == EINTR);
  return static_cast<long>(got);
}

FileRead ReadWholeFile(const std::string& path, std::string& text, size_t limit) {
  text.clear();
  FileRead found;
  int fd = OpenFileToRead(path, limit, found);
  if (fd < 0) return found;
  std::string read;
  // One byte more than the limit tells a file that grew after its size was taken.
  bool whole = ReadUpTo(fd, limit + 1, read);
  close(fd);
  if (!whole) return FileRead::Unreadable;
  if (read.size() > limit) return FileRead::TooLarge;
  text = std::move(read);
  return FileRead::Read;
}

bool ReadFileStart(const std::string& path, std::string& text, size_t limit) {
  text.clear();
  FileRead found;
  int fd = OpenFileToRead(path, SIZE_MAX, found);
  if (fd < 0) return false;
  bool read = ReadUpTo(fd, limit + 1, text);
  close(fd);
  if (!read) {
    text.clear();
    return false;
  }
  if (text.size() > limit) {
    text.resize(limit);
    size_t lineEnd = text.rfind('\n');
    text.resize(lineEnd == std::string::npos ? 0 : lineEnd + 1);
  }
  return true;
}

bool IsReadableFile(const std::string& path) {
  FileRead found;
  int fd = OpenFileToRead(path, SIZE_MAX, found);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool ReplaceFile(const std::string& path, const std::string& text, std::string& why) {
  mode_t mode = 0;
  if (!ModeToKeep(path, mode, why)) return false;
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::string temp = (folder / (std::string(TempFilePrefix) + "XXXXXX")).string();
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return Refuse(why, Reason(errno));
  bool written = fchmod(fd, mode) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && std::rename(temp.c_str(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    unlink(temp.c_str());
    return Refuse(why, Reason(error));
  }
  SyncFolder(folder);
  return true;
}

bool ReplaceFile(const std::string& path, const std::string& text) {
  std::string why;
  return ReplaceFile(path, text, why);
}

std::string ThroughLinks(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path at = path;
  for (int hops = 0; hops < 40; ++hops) {  // the system's own bound on a chain of links
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(at, error))) break;
    fs::path target = fs::read_symlink(at, error);
    if (error) break;
    at = target.is_absolute() ? target : at.parent_path() / target;
  }
  return at.string();
}

void RemoveStaleTempFiles(const std::string& folder, int depth) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    fs::file_status status = it->symlink_status(ignored);
    if (fs::is_regular_file(status) && it->path().filename().string().starts_with(TempFilePrefix))
      fs::remove(it->path(), ignored);
    else if (fs::is_directory(status) && depth > 0)
      RemoveStaleTempFiles(it->path().string(), depth - 1);
  }
}
