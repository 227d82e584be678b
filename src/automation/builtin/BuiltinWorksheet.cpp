// Worksheet operations of the built-in engine, answered by streaming the sheet.
#include "automation/builtin/BuiltinWorksheet.h"

#include <algorithm>
#include <utility>

#include "automation/AutomationError.h"
#include "automation/builtin/BuiltinWorkbook.h"
#include "automation/builtin/ErrorTranslation.h"
#include "sheet/stream/SheetScan.h"

namespace quorvex::automation {
namespace {

/// Captures one cell's value; of two records of the cell the later one counts. In a sheet
/// stored in row order it stops the reading once past the cell's row.
class CellFinder : public sheet::SheetSink {
 public:
  CellFinder(std::uint32_t row, std::uint32_t column, bool in_row_order)
      : row_(row), column_(column), in_row_order_(in_row_order) {}

  sheet::SinkControl OnCell(const sheet::Cell& cell) override {
    if (in_row_order_ && cell.row > row_) return sheet::SinkControl::kStop;
    if (cell.row != row_ || cell.column != column_) return sheet::SinkControl::kContinue;
    using K = sheet::CellKind;
    switch (cell.value.kind) {
      case K::kEmpty:
        value_ = {};
        break;
      case K::kNumber:
        value_ = {Variant::Kind::kNumber, cell.value.number, {}};
        break;
      case K::kBoolean:
        value_ = {Variant::Kind::kBoolean, cell.value.number, {}};
        break;
      case K::kString:
        value_ = {Variant::Kind::kString, 0, std::string(cell.value.text)};
        break;
      case K::kError:
        value_ = {Variant::Kind::kError, 0, std::string(cell.value.text)};
        break;
    }
    return in_row_order_ ? sheet::SinkControl::kStop : sheet::SinkControl::kContinue;
  }
  const Variant& value() const { return value_; }

 private:
  std::uint32_t row_;
  std::uint32_t column_;
  bool in_row_order_;
  Variant value_;
};

}  // namespace

BuiltinWorksheet::BuiltinWorksheet(BuiltinWorkbook& workbook, std::size_t position)
    : workbook_(workbook), position_(position) {}

std::string BuiltinWorksheet::Name() {
  return workbook_.reader().workbook().sheets[position_].name;
}

void BuiltinWorksheet::Activate() {
  workbook_.reader();  // reports a closed workbook
  workbook_.Activate(position_);
}

const sheet::CellRange& BuiltinWorksheet::UsedRange() {
  if (!used_range_) {
    // The cells are kept (in a temporary file), since what asks for the used range goes on to
    // fit the columns and save the sheet as a dBASE table; the first pass of that save is made
    // while the cells are read, on the thread that takes them in.
    const sheet::WorkbookReader& reader = workbook_.reader();
    auto first_pass =
        std::make_unique<sheet::DbfEarlyTableScanner>(workbook_.cell_text(), reader.workbook().date1904,
                                                      workbook_.save_options().dbf == DbfEncoding::kUtf8);
    auto scan = std::make_unique<sheet::SheetScan>(first_pass.get(), sheet::CellKeeping::kAll);
    TranslateErrors("Cannot read the sheet \"" + Name() + "\" of \"" + workbook_.FileName() + "\"",
                    [&] { workbook_.reader().ReadSheet(position_, *scan); });
    used_range_ = scan->used_range().value_or(sheet::CellRange{});
    in_row_order_ = scan->in_order();
    kept_cells_ = std::move(scan);
    dbf_first_pass_ = std::move(first_pass);
  }
  return *used_range_;
}

int BuiltinWorksheet::UsedRangeRowsCount() {
  return static_cast<int>(UsedRange().RowCount());
}

int BuiltinWorksheet::UsedRangeColumnsCount() {
  return static_cast<int>(UsedRange().ColumnCount());
}

std::string BuiltinWorksheet::UsedRangeCellAddress(int row, int column) {
  const sheet::CellRange& range = UsedRange();
  const std::int64_t absolute_row = std::int64_t{range.first_row} + row - 1;
  const std::int64_t absolute_column = std::int64_t{range.first_column} + column - 1;
  if (absolute_row < 0 || absolute_column < 0 || absolute_row >= 1048576 || absolute_column >= 16384) {
    throw AutomationError("UsedRange.Cells(" + std::to_string(row) + ", " + std::to_string(column) +
                          ") lies outside the sheet");
  }
  return AbsoluteAddress(
      {static_cast<std::uint32_t>(absolute_row), static_cast<std::uint32_t>(absolute_column)});
}

Variant BuiltinWorksheet::Cells(int row, int column) {
  if (row < 1 || column < 1 || row > 1048576 || column > 16384) {
    throw AutomationError("Cells(" + std::to_string(row) + ", " + std::to_string(column) +
                          ") lies outside the sheet");
  }
  CellFinder finder(static_cast<std::uint32_t>(row - 1), static_cast<std::uint32_t>(column - 1),
                    in_row_order_ || kept_cells_ != nullptr);
  ReadCells(finder);
  return finder.value();
}

void BuiltinWorksheet::ColumnsAutoFit() {
  workbook_.reader();  // reports a closed workbook
  // The widths matter only to a dBASE save, which measures them in the reading it makes anyway
  // rather than rendering every cell once more here.
  columns_auto_fitted_ = true;
}

void BuiltinWorksheet::ReadCells(sheet::SheetSink& sink) {
  TranslateErrors("Cannot read the sheet \"" + Name() + "\" of \"" + workbook_.FileName() + "\"", [&] {
    // Cells kept come in row order, each place once.
    if (kept_cells_) {
      kept_cells_->Replay(sink);
    } else {
      workbook_.reader().ReadSheet(position_, sink);
    }
  });
}

void BuiltinWorksheet::RangeSelect(const std::string& first, const std::string& last) {
  workbook_.reader();
  auto a = ParseAddress(first);
  auto b = ParseAddress(last);
  if (!a || !b)
    throw AutomationError("Range(\"" + first + "\", \"" + last + "\").Select failed: not a cell address");
  sheet::CellRange range{a->row, a->column, a->row, a->column};
  range.Include(b->row, b->column);
  selection_ = range;
}

void BuiltinWorksheet::SaveAs(const std::string& file_name, int file_format) {
  workbook_.reader();
  workbook_.SaveSheet(position_, file_name, file_format);
}

}  // namespace quorvex::automation
