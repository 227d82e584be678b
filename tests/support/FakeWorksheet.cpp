// A fake worksheet handle: scripted used range and top-left cell, every call logged.
#include "support/FakeWorksheet.h"

#include <utility>

namespace quorvex::testing {

FakeWorksheet::FakeWorksheet(FakeExcel& excel, int index, FakeSheet sheet)
    : excel_(excel), index_(index), sheet_(std::move(sheet)) {}

std::string FakeWorksheet::Prefix() const {
  return "Worksheets(" + std::to_string(index_) + ").";
}

std::string FakeWorksheet::Name() {
  excel_.Record(Prefix() + "name");
  return sheet_.name;
}

void FakeWorksheet::Activate() {
  excel_.Record(Prefix() + "Activate");
}

int FakeWorksheet::UsedRangeRowsCount() {
  excel_.Record(Prefix() + "UsedRange.Rows.count");
  return sheet_.used_rows;
}

int FakeWorksheet::UsedRangeColumnsCount() {
  excel_.Record(Prefix() + "UsedRange.Columns.count");
  return sheet_.used_columns;
}

std::string FakeWorksheet::UsedRangeCellAddress(int row, int column) {
  excel_.Record(Prefix() + "UsedRange.Cells(" + std::to_string(row) + ", " + std::to_string(column) +
                ").Address");
  return "$R" + std::to_string(row) + "$C" + std::to_string(column);
}

automation::Variant FakeWorksheet::Cells(int row, int column) {
  excel_.Record(Prefix() + "Cells(" + std::to_string(row) + ", " + std::to_string(column) + ")");
  return (row == 1 && column == 1) ? sheet_.top_left : automation::Variant{};
}

void FakeWorksheet::ColumnsAutoFit() {
  excel_.Record(Prefix() + "Columns.AutoFit");
}

void FakeWorksheet::RangeSelect(const std::string& first, const std::string& last) {
  excel_.Record(Prefix() + "Range(" + first + ", " + last + ").Select");
}

void FakeWorksheet::SaveAs(const std::string& file_name, int file_format) {
  excel_.Record(Prefix() + "SaveAs(" + file_name + ", " + std::to_string(file_format) + ")");
}

}  // namespace quorvex::testing
