// Shared by the harnesses: the input as a file the readers can open by path,
// and a check that stops the run with a message when a property breaks.
#pragma once
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// The white space of formatted input in the C locale.
inline bool IsFormattedSpace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The longest run of bytes between white space.
inline size_t LongestRun(std::string_view text) {
  size_t longest = 0, run = 0;
  for (char c : text) {
    run = IsFormattedSpace(static_cast<unsigned char>(c)) ? 0 : run + 1;
    if (run > longest) longest = run;
  }
  return longest;
}

// Writes the bytes into one in-memory file, reused by every run, and returns a
// path that opens it from the start.
inline std::string InputAsFile(const uint8_t* data, size_t size) {
  static int fd = memfd_create("zedov-fuzz-input", 0);
  if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
  size_t done = 0;
  while (done < size) {
    ssize_t wrote = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (wrote <= 0) std::abort();
    done += static_cast<size_t>(wrote);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);    \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)
