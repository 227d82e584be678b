// A ByteSource reading a file from a given offset on.
#pragma once

#include <cstdint>

#include "sheet/container/ByteSource.h"
#include "sheet/container/InputFile.h"

namespace quorvex::sheet::container {

class FileByteSource : public ByteSource {
 public:
  /// `file` must outlive the source.
  explicit FileByteSource(InputFile& file, std::uint64_t offset = 0) : file_(file), position_(offset) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = file_.ReadAt(position_, buffer, size);
    position_ += n;
    return n;
  }

 private:
  InputFile& file_;
  std::uint64_t position_;
};

}  // namespace quorvex::sheet::container
