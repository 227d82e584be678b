// The interface every workbook reader implements: metadata at open, cells streamed per sheet.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "sheet/model/CellRange.h"
#include "sheet/model/CellValue.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet {

/// Receives one sheet's content as a reader streams it.
class SheetSink {
 public:
  virtual ~SheetSink() = default;
  /// The used range the file declares, reported before any cell when the file states one.
  virtual void OnDimension(const CellRange& /*declared*/) {}
  /// Column widths and hidden columns, reported before the cells.
  virtual void OnColumnInfo(const ColumnInfo& /*columns*/) {}
  /// Each recorded cell (with a value or only a style), in row-major order.
  virtual void OnCell(const Cell& cell) = 0;
  /// A row's height or hidden state, reported before its cells.
  virtual void OnRowInfo(const RowInfo& /*row*/) {}
  /// A merged area; may come after all cells, as files store merges at the end of a sheet.
  virtual void OnMergedRange(const CellRange& /*range*/) {}
  /// The sheet's default column width (characters) and row height (points), when the file has them.
  virtual void OnDefaultSizes(double /*column_width*/, double /*row_height*/) {}
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
