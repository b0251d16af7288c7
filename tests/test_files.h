// Shared seams for every test, with no window: text files written and read
// byte for byte, and a scratch working directory for the Music/ folder.
#pragma once
#include <filesystem>
#include <string>

// Writes a text file (creating folders) with exactly these bytes.
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

// Reads a whole file; empty when it does not exist.
std::string ReadTextFile(const std::filesystem::path& path);

// Makes a fresh empty folder and makes it the working directory for the
// object's lifetime, so that relative paths such as Music/ land in it.
struct ScratchFolder {
  ScratchFolder();
  ~ScratchFolder();
  std::filesystem::path path;
  std::filesystem::path previous;
};
