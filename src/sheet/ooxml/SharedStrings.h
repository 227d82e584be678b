// The shared string table of a workbook, stored compactly: one character arena plus end offsets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/container/XmlPullParser.h"

namespace quorvex::sheet::ooxml {

class SharedStrings {
 public:
  /// Streams an sst part: each <si> is its <t> text or its rich-text runs joined, phonetic runs
  /// left out, _xHHHH_ escapes decoded. Throws SheetError (kTooLarge past 4 GiB of text).
  void Load(container::XmlPullParser& parser);

  std::size_t size() const { return ends_.size(); }
  /// Starts loading the offsets of string `index` into the cache.
  void PrefetchOffsets(std::size_t index) const {
    __builtin_prefetch(ends_.data() + index);
    if (index > 0) __builtin_prefetch(ends_.data() + index - 1);
  }
  /// Starts loading the first characters of string `index` (best after PrefetchOffsets).
  void PrefetchText(std::size_t index) const {
    __builtin_prefetch(arena_.data() + (index == 0 ? 0 : ends_[index - 1]));
  }
  /// The string at `index`; the caller checks index < size().
  std::string_view operator[](std::size_t index) const {
    const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(arena_).substr(begin, ends_[index] - begin);
  }

 private:
  std::string arena_;
  std::vector<std::uint32_t> ends_;
};

}  // namespace quorvex::sheet::ooxml
