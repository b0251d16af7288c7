// Replacing a file whole through a temporary file and a rename.
#include "charts/safe_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

bool ReplaceFile(const std::string& path, const std::string& text) {
  std::filesystem::path target(path);
  std::filesystem::path folder = target.parent_path();
  std::string temp = (folder / ".zedov-tmp-XXXXXX").string();
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  mode_t mask = umask(0);  // give the file the usual permissions, not mkstemp's 0600
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    std::remove(temp.c_str());
    return false;
  }
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fflush(file) == 0 && written;
  written = fsync(fd) == 0 && written;
  written = std::fclose(file) == 0 && written;
  if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}
