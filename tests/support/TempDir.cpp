// A temporary folder for one test, removed with everything in it when the test ends.
#include "support/TempDir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace quorvex::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvex-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder from " + pattern);
  }
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string TempDir::MakeFolder(const std::string& relative) const {
  const std::string full = *this / relative;
  std::filesystem::create_directories(full);
  return full;
}

std::string TempDir::MakeFile(const std::string& relative, const std::string& content) const {
  const std::string full = *this / relative;
  std::ofstream out(full, std::ios::binary);
  out << content;
  if (!out) {
    throw std::runtime_error("cannot write " + full);
  }
  return full;
}

}  // namespace quorvex::testing
