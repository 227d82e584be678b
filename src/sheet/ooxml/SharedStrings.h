// The shared string table of a workbook, read from its sst part into a bounded string table.
#pragma once

#include <cstdint>
#include <string_view>

#include "sheet/container/StringTable.h"
#include "sheet/container/XmlPullParser.h"

namespace quorvex::sheet::ooxml {

class SharedStrings {
 public:
  /// Streams an sst part: each <si> is its <t> text or its rich-text runs joined, phonetic runs
  /// left out, _xHHHH_ escapes decoded, cut to the characters a cell holds. Throws SheetError
  /// (kTooLarge once the text passes `budget` bytes, naming the part and offset).
  void Load(container::XmlPullParser& parser, std::uint64_t budget = container::StringTable::kDefaultBudget);

  std::size_t size() const { return table_.size(); }
  void PrefetchOffsets(std::size_t index) const { table_.PrefetchOffsets(index); }
  void PrefetchText(std::size_t index) const { table_.PrefetchText(index); }
  /// The string at `index`; the caller checks index < size().
  std::string_view operator[](std::size_t index) const { return table_[index]; }

 private:
  container::StringTable table_;
};

}  // namespace quorvex::sheet::ooxml
