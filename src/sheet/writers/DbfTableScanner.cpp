// The first pass of a dBASE save over a range known before the cells are read.
#include "sheet/writers/DbfTableScanner.h"

namespace quorvex::sheet {

DbfTableScanner::DbfTableScanner(const CellRange& range, const numfmt::CellText& text, bool date1904,
                                 bool fit_columns, bool utf8)
    : range_(range),
      text_(text),
      date1904_(date1904),
      fit_columns_(fit_columns),
      utf8_(utf8),
      columns_(range.ColumnCount()) {}

SinkControl DbfTableScanner::OnCell(const Cell& cell) {
  if (cell.column < range_.first_column || cell.column > range_.last_column) return SinkControl::kContinue;
  DbfColumnScan& column = columns_[cell.column - range_.first_column];
  if (!range_.Contains(cell.row, cell.column)) {
    // Rows outside the range still widen a fitted column.
    if (fit_columns_ && cell.value.kind != CellKind::kEmpty) {
      shown_.clear();
      text_.Append(cell.value, cell.style, shown_);
      if (!numfmt::IsUnshowable(shown_)) column.Fit(shown_);
    }
    return SinkControl::kContinue;
  }
  if (cell.row == range_.first_row) {
    if (cell.value.kind != CellKind::kEmpty) column.header = text_.Render(cell.value, cell.style);
    if (fit_columns_) column.Fit(column.header);
    return SinkControl::kContinue;
  }
  ClassifyDbfCell(cell.value, cell.style, text_, date1904_, DbfCellText::kRender, cell_);
  column.TakeData(cell_, cell.row, fit_columns_, utf8_);
  return SinkControl::kContinue;
}

}  // namespace quorvex::sheet
