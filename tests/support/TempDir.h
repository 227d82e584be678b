// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <string>

namespace quorvex::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The folder's absolute path, without a trailing '/'.
  const std::string& path() const { return path_; }
  /// path() + "/" + relative.
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }
  /// Creates the folder `relative` (and its parents) inside; returns its full path.
  std::string MakeFolder(const std::string& relative) const;
  /// Creates the file `relative` holding `content`; returns its full path.
  std::string MakeFile(const std::string& relative, const std::string& content = "") const;

 private:
  std::string path_;
};

}  // namespace quorvex::testing
