// A RandomAccessSource reading a file on disk; failures become SheetError kIo with the system's reason.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "sheet/container/RandomAccessSource.h"

namespace quorvex::sheet::container {

class FileSource : public RandomAccessSource {
 public:
  /// Opens `path` for reading. Throws SheetError kIo when it is missing, a folder or unreadable.
  explicit FileSource(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  const std::string& name() const override { return path_; }
  /// The file's size when it was opened; reads stop there even if it grows.
  std::uint64_t Size() const override { return size_; }
  /// Positioned reads with 64-bit offsets: no shared file position, no lock.
  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const override;

 private:
  [[noreturn]] void FailIo(const std::string& what, int error) const;

  std::string path_;
  platform::ReadHandle file_ = platform::kNoReadHandle;
  std::uint64_t size_ = 0;
};

}  // namespace quorvex::sheet::container
