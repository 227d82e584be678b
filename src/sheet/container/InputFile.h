// A read-only file with positioned reads; failures become SheetError kIo with the system's reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

namespace quorvex::sheet::container {

class InputFile {
 public:
  /// Opens `path` for reading. Throws SheetError kIo when it is missing, a folder or unreadable.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& path() const { return path_; }
  std::uint64_t size() const { return size_; }

  /// Reads up to `size` bytes at `offset` and returns the count; fewer only at the end of the file.
  /// Safe to call from several threads (an entry may be inflated on a thread of its own).
  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size);

 private:
  [[noreturn]] void FailIo(const std::string& what) const;

  std::string path_;
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
  std::mutex mutex_;  // guards file_ and position_
};

}  // namespace quorvex::sheet::container
