// A read-only table of strings stored compactly, bounded per string and in total.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

/// Shared strings as the readers keep them: one character arena plus end offsets. Each string
/// is cut to the application's limit for a cell's text; the total is held to a budget, so a
/// hostile file cannot make the table use more memory than that.
class StringTable {
 public:
  /// Characters (UTF-16 code units) a cell can hold; longer strings are cut to this.
  static constexpr std::size_t kMaxCharacters = 32767;
  static constexpr std::uint64_t kDefaultBudget = std::uint64_t{1} << 30;
  /// Bytes of text a compressed part may hold per byte it takes in the file, and the budget no
  /// part is held below: real string tables deflate at well under 64:1.
  static constexpr std::uint64_t kTextPerCompressedByte = 64;
  static constexpr std::uint64_t kMinBudget = std::uint64_t{256} << 20;
  /// The sentence readers fail with when a table would pass its budget.
  static constexpr const char* kOverBudget = "the shared strings expand beyond safe limits";

  /// `budget`: the most bytes of text the table holds (at most 4 GiB).
  explicit StringTable(std::uint64_t budget = kDefaultBudget);

  /// The budget for a table read from a zip part of `compressed_size` bytes: 64 bytes of text per
  /// byte, between 256 MiB and kDefaultBudget, so a few megabytes cannot fill a gigabyte.
  static std::uint64_t BudgetForCompressedPart(std::uint64_t compressed_size);

  /// Appends a string (well-formed UTF-8), cut to kMaxCharacters. False, adding nothing, when
  /// the table would pass its budget; the caller reports that with kOverBudget.
  [[nodiscard]] bool Add(std::string_view text);
  void Reserve(std::size_t count) { ends_.reserve(count); }

  std::size_t size() const { return ends_.size(); }
  /// The string at `index`; the caller checks index < size().
  std::string_view operator[](std::size_t index) const {
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(arena_).substr(begin, ends_[index] - begin);
  }
  /// Starts loading the offsets of string `index` into the cache.
  void PrefetchOffsets(std::size_t index) const {
    __builtin_prefetch(ends_.data() + index);
    if (index > 0) __builtin_prefetch(ends_.data() + index - 1);
  }
  /// Starts loading the first characters of string `index` (best after PrefetchOffsets).
  void PrefetchText(std::size_t index) const {
    __builtin_prefetch(arena_.data() + (index == 0 ? 0 : ends_[index - 1]));
  }

 private:
  std::uint64_t budget_;
  std::string arena_;
  std::vector<std::uint32_t> ends_;
};

}  // namespace quorvex::sheet::container
