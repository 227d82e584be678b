// Fuzz helper: a sink that touches every cell, and a reading of every sheet into it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::fuzz {

/// Reads every field of every event, so sanitizers see any bad pointer a reader hands out.
class TouchingSink : public sheet::SheetSink {
 public:
  sheet::SinkControl OnCell(const sheet::Cell& cell) override {
    sum_ += cell.row + cell.column + cell.style + static_cast<std::size_t>(cell.value.kind);
    for (char c : cell.value.text) sum_ += static_cast<unsigned char>(c);
    return sheet::SinkControl::kContinue;
  }
  void OnDimension(const sheet::CellRange& range) override { sum_ += range.last_row; }
  void OnMergedRange(const sheet::CellRange& range) override { sum_ += range.last_column; }
  void OnRowInfo(const sheet::RowInfo& row) override { sum_ += row.row + row.outline_level; }
  void OnComment(std::uint32_t row, std::uint32_t column) override { sum_ += row + column; }
  std::size_t sum() const { return sum_; }

 private:
  std::size_t sum_ = 0;
};

/// Reads every sheet of the workbook into a TouchingSink.
inline void ReadAllSheets(sheet::WorkbookReader& reader) {
  TouchingSink sink;
  for (std::size_t i = 0; i < reader.workbook().sheets.size(); ++i) reader.ReadSheet(i, sink);
}

}  // namespace quorvex::fuzz
