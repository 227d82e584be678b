// A ByteSource reading a RandomAccessSource from a given offset on.
#pragma once

#include <cstdint>

#include "sheet/container/ByteSource.h"
#include "sheet/container/RandomAccessSource.h"

namespace quorvex::sheet::container {

class SourceByteSource : public ByteSource {
 public:
  /// `source` must outlive this reader.
  explicit SourceByteSource(const RandomAccessSource& source, std::uint64_t offset = 0)
      : source_(source), position_(offset) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = source_.ReadAt(position_, buffer, size);
    position_ += n;
    return n;
  }

 private:
  const RandomAccessSource& source_;
  std::uint64_t position_;
};

}  // namespace quorvex::sheet::container
