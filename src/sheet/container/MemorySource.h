// A RandomAccessSource over bytes held in memory.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "sheet/container/RandomAccessSource.h"

namespace quorvex::sheet::container {

class MemorySource : public RandomAccessSource {
 public:
  /// Keeps `data`; errors name it `name` (a workbook's file name, say).
  explicit MemorySource(std::string data, std::string name = "memory")
      : data_(std::move(data)), name_(std::move(name)) {}

  const std::string& name() const override { return name_; }
  std::uint64_t size() const override { return data_.size(); }

  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const override {
    if (offset >= data_.size()) return 0;
    const std::size_t n = std::min<std::size_t>(size, data_.size() - static_cast<std::size_t>(offset));
    if (n > 0) std::memcpy(buffer, data_.data() + offset, n);
    return n;
  }

 private:
  std::string data_;
  std::string name_;
};

}  // namespace quorvex::sheet::container
