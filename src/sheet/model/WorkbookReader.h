// The interface every workbook reader implements: metadata at open, cells streamed per sheet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "sheet/model/CellRange.h"
#include "sheet/model/CellValue.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet {

/// What a sink answers for each cell: go on reading, or stop the reading of this sheet.
enum class SinkControl : std::uint8_t { kContinue, kStop };

/// What the sheet states about its rows and columns without records of their own.
struct SheetDefaults {
  double column_width = 0;         // characters; 0 when the file gives none
  double row_height = 0;           // points; 0 when the file gives none
  bool zero_column_width = false;  // the file states a default column width of 0
  bool zero_height = false;        // rows without a record of their own are hidden
  bool thick_top = false;          // rows have a thick top border by default
  bool thick_bottom = false;       // rows have a thick bottom border by default
};

/// Receives one sheet's content as a reader streams it. Cells come in the order the file stores
/// them, which need not be row order, and the same cell may come twice (the later one counts).
class SheetSink {
 public:
  virtual ~SheetSink() = default;
  /// The used range the file declares, reported before any cell when the file states one.
  /// It is only a claim: files often state too little, too much or nothing.
  virtual void OnDimension(const CellRange& /*declared*/) {}
  /// The sheet's default column width and row height, before the columns and rows.
  virtual void OnSheetDefaults(const SheetDefaults& /*defaults*/) {}
  /// A column record (width, style, hidden), reported before the cells.
  virtual void OnColumnInfo(const ColumnInfo& /*columns*/) {}
  /// A row record, before its cells when the file keeps them together.
  virtual void OnRowInfo(const RowInfo& /*row*/) {}
  /// Each recorded cell (with a value or only a style). Returning kStop ends the reading: the
  /// reader then reports nothing more and returns normally.
  virtual SinkControl OnCell(const Cell& cell) = 0;
  /// A merged area; may come after all cells, as files store merges at the end of a sheet.
  virtual void OnMergedRange(const CellRange& /*range*/) {}
  /// A cell holding a comment; comments come after the cells.
  virtual void OnComment(std::uint32_t /*row*/, std::uint32_t /*column*/) {}
};

/// Receives a sentence about damage a reader worked around (the sheet still converts).
using WarningHandler = std::function<void(const std::string& sentence)>;

class WorkbookReader {
 public:
  virtual ~WorkbookReader() = default;
  virtual const Workbook& workbook() const = 0;
  /// Streams the cells of workbook().sheets[position] into `sink`. Throws SheetError.
  virtual void ReadSheet(std::size_t position, SheetSink& sink) = 0;

  /// Where warnings go; without a handler they are dropped.
  void SetWarningHandler(WarningHandler handler) { warning_handler_ = std::move(handler); }

 protected:
  void Warn(const std::string& sentence) const {
    if (warning_handler_) warning_handler_(sentence);
  }

 private:
  WarningHandler warning_handler_;
};

}  // namespace quorvex::sheet
