// The first pass of a dBASE save made while the sheet is read, before its range is known.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/DbfColumnScan.h"

namespace quorvex::sheet {

/// Does the work of DbfTableScanner as the cells arrive, for a save whose range is settled only
/// after the reading: it takes the row of the first cell for the header row, keeps the columns by
/// their place in the sheet, and fits every column, since whether the save fits them is not known
/// yet. It gives up (answers kStop) at the first cell out of row order.
class DbfEarlyTableScanner : public SheetSink {
 public:
  DbfEarlyTableScanner(const numfmt::CellText& text, bool date1904, bool utf8);

  SinkControl OnCell(const Cell& cell) override;

  /// The columns of `range`, first to last, exactly as a DbfTableScanner over the same cells in
  /// row order would find them; moved out. Nullopt when the guesses made while reading do not
  /// hold: a cell came out of order, `range` does not start at the header row taken or ends above
  /// a cell, or the text is measured otherwise than it was (`utf8`).
  std::optional<std::vector<DbfColumnScan>> TakeColumns(const CellRange& range, bool fit_columns, bool utf8);

 private:
  const numfmt::CellText& text_;
  bool date1904_;
  bool utf8_;
  bool in_order_ = true;
  bool any_cell_ = false;
  std::uint32_t header_row_ = 0;  // the row of the first cell
  std::uint32_t last_row_ = 0;
  std::uint32_t last_column_ = 0;
  std::vector<DbfColumnScan> columns_;  // by column of the sheet, as far as the rightmost cell
  DbfCell cell_;                        // the cell being taken in, its text's storage kept for the next
};

}  // namespace quorvex::sheet
