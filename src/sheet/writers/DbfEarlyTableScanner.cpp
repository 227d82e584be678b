// The first pass of a dBASE save made while the sheet is read, before its range is known.
#include "sheet/writers/DbfEarlyTableScanner.h"

#include <utility>

namespace quorvex::sheet {

DbfEarlyTableScanner::DbfEarlyTableScanner(const numfmt::CellText& text, bool date1904, bool utf8)
    : text_(text), date1904_(date1904), utf8_(utf8) {}

SinkControl DbfEarlyTableScanner::OnCell(const Cell& cell) {
  if (any_cell_ && (cell.row < last_row_ || (cell.row == last_row_ && cell.column <= last_column_))) {
    // The replay will hand the cells over sorted; nothing learnt here would count.
    in_order_ = false;
    columns_.clear();
    return SinkControl::kStop;
  }
  if (!any_cell_) header_row_ = cell.row;
  any_cell_ = true;
  last_row_ = cell.row;
  last_column_ = cell.column;
  if (cell.column >= columns_.size()) columns_.resize(std::size_t{cell.column} + 1);
  DbfColumnScan& column = columns_[cell.column];
  if (cell.row == header_row_) {
    if (cell.value.kind != CellKind::kEmpty) column.header = text_.Render(cell.value, cell.style);
    column.Fit(column.header);
    return SinkControl::kContinue;
  }
  ClassifyDbfCell(cell.value, cell.style, text_, date1904_, DbfCellText::kRender, cell_);
  column.TakeData(cell_, cell.row, true, utf8_);
  return SinkControl::kContinue;
}

std::optional<std::vector<DbfColumnScan>> DbfEarlyTableScanner::TakeColumns(const CellRange& range,
                                                                            bool fit_columns, bool utf8) {
  if (!in_order_ || utf8 != utf8_) return std::nullopt;
  // Every cell lies in the rows of the range, whose first row is the header row taken. Cells of
  // other columns are left out below, as DbfTableScanner leaves them out; a cell below the range
  // would only have widened its column there, and here it was taken in as data.
  if (any_cell_ && (range.first_row != header_row_ || range.last_row < last_row_)) return std::nullopt;
  std::vector<DbfColumnScan> columns(range.ColumnCount());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::size_t column = range.first_column + i;
    if (column < columns_.size()) columns[i] = std::move(columns_[column]);
    if (!fit_columns) columns[i].fitted = 0;
  }
  columns_.clear();
  return columns;
}

}  // namespace quorvex::sheet
