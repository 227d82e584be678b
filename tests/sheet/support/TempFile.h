// A uniquely named file in the temporary folder, removed when the test is done with it.
#pragma once

#include <string>
#include <string_view>

namespace quorvex::sheet::test_support {

class TempFile {
 public:
  /// Creates the file holding `content`; `suffix` is appended to its name (".xlsx").
  explicit TempFile(std::string_view content, std::string_view suffix = ".tmp");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace quorvex::sheet::test_support
