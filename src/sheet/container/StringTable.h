// A read-only table of strings stored compactly: one character arena plus end offsets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

class StringTable {
 public:
  /// Appends a string; throws SheetError kTooLarge once the table passes 4 GiB of text.
  void Add(std::string_view text) {
    if (arena_.size() + text.size() > kMaxBytes) {
      throw SheetError(SheetErrorCode::kTooLarge, "the shared string table holds more than 4 GiB of text");
    }
    arena_.append(text);
    ends_.push_back(static_cast<std::uint32_t>(arena_.size()));
  }
  void Reserve(std::size_t count) { ends_.reserve(count); }

  std::size_t size() const { return ends_.size(); }
  /// The string at `index`; the caller checks index < size().
  std::string_view operator[](std::size_t index) const {
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(arena_).substr(begin, ends_[index] - begin);
  }

 private:
  static constexpr std::size_t kMaxBytes = 0xFFFFFFFFu;
  std::string arena_;
  std::vector<std::uint32_t> ends_;
};

}  // namespace quorvex::sheet::container
