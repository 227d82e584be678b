// A ByteSource over bytes already in memory, optionally handing them out in small chunks.
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

#include "sheet/container/ByteSource.h"

namespace quorvex::sheet::container {

class MemoryByteSource : public ByteSource {
 public:
  /// `data` must outlive the source. Each Read returns at most `max_chunk` bytes.
  explicit MemoryByteSource(std::string_view data, std::size_t max_chunk = ~std::size_t{0})
      : data_(data), max_chunk_(std::max<std::size_t>(max_chunk, 1)) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, max_chunk_, data_.size() - position_});
    if (n > 0) std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
  }

 private:
  std::string_view data_;
  std::size_t max_chunk_;
  std::size_t position_ = 0;
};

}  // namespace quorvex::sheet::container
