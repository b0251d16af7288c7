// Text files and scratch folders for the tests.
#include "test_files.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string ReadTextFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ScratchFolder::ScratchFolder() {
  previous = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "zedov-test-XXXXXX").string();
  path = mkdtemp(pattern.data());
  std::filesystem::current_path(path);
}

ScratchFolder::~ScratchFolder() {
  std::filesystem::current_path(previous);
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path, ignored);
}
