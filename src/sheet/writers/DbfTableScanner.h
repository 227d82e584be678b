// The first pass of a dBASE save over a range known before the cells are read.
#pragma once

#include <string>
#include <vector>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/DbfColumnScan.h"

namespace quorvex::sheet {

/// Gathers header texts, what each column holds, the characters beyond ASCII (unless the text is
/// UTF-8), and, when fitting, the fitted width of each column of `range`. Cells come in row order,
/// each place once. Cells in the range's columns but outside its rows still widen a fitted column.
class DbfTableScanner : public SheetSink {
 public:
  DbfTableScanner(const CellRange& range, const numfmt::CellText& text, bool date1904, bool fit_columns,
                  bool utf8);

  SinkControl OnCell(const Cell& cell) override;

  /// The columns of the range, first to last; moved out.
  std::vector<DbfColumnScan> TakeColumns() { return std::move(columns_); }

 private:
  CellRange range_;
  const numfmt::CellText& text_;
  bool date1904_;
  bool fit_columns_;
  bool utf8_;
  std::vector<DbfColumnScan> columns_;
  std::string shown_;
  DbfCell cell_;  // the cell being taken in, its text's storage kept for the next
};

}  // namespace quorvex::sheet
