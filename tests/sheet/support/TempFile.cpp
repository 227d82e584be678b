// A uniquely named temporary file for tests.
#include "TempFile.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quorvex::sheet::test_support {

TempFile::TempFile(std::string_view content, std::string_view suffix) {
  static std::atomic<unsigned> counter{0};
  path_ = (std::filesystem::temp_directory_path() / ("quorvex-sheet-test-" + std::to_string(::getpid()) +
                                                     "-" + std::to_string(counter++) + std::string(suffix)))
              .string();
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace quorvex::sheet::test_support
