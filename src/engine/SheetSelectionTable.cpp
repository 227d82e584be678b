// Sparse storage of the sheet selection table with bounds checks on every access.
#include "engine/SheetSelectionTable.h"

#include <stdexcept>

namespace quorvex::engine {

void SheetSelectionTable::CheckBounds(int workbook, int sheet) {
  if (workbook < 0 || workbook > kMaxWorkbooks) {
    throw std::out_of_range("Subscript out of range: the sheet selection table holds workbooks 0 to " +
                            std::to_string(kMaxWorkbooks) + ", not " + std::to_string(workbook));
  }
  if (sheet < 0 || sheet > kMaxSheets) {
    throw std::out_of_range("Subscript out of range: the sheet selection table holds sheets 0 to " +
                            std::to_string(kMaxSheets) + ", not " + std::to_string(sheet));
  }
}

const SheetSelectionTable::Cell* SheetSelectionTable::Find(int workbook, int sheet) const {
  CheckBounds(workbook, sheet);
  const auto column = columns_.find(workbook);
  if (column == columns_.end() || static_cast<std::size_t>(sheet) >= column->second.size()) {
    return nullptr;
  }
  return &column->second[static_cast<std::size_t>(sheet)];
}

std::string SheetSelectionTable::Name(int workbook, int sheet) const {
  const Cell* cell = Find(workbook, sheet);
  return cell == nullptr ? std::string() : cell->name;
}

bool SheetSelectionTable::Ticked(int workbook, int sheet) const {
  const Cell* cell = Find(workbook, sheet);
  return cell != nullptr && cell->ticked;
}

void SheetSelectionTable::Set(int workbook, int sheet, const std::string& name, bool ticked) {
  CheckBounds(workbook, sheet);
  std::vector<Cell>& column = columns_[workbook];
  if (static_cast<std::size_t>(sheet) >= column.size()) {
    column.resize(static_cast<std::size_t>(sheet) + 1);
  }
  column[static_cast<std::size_t>(sheet)] = Cell{name, ticked};
}

bool SheetSelectionTable::IsRecorded(int workbook) const {
  return !Name(workbook, 1).empty();
}

void SheetSelectionTable::Clear() {
  columns_.clear();
}

void SheetSelectionTable::CopyColumn(const SheetSelectionTable& source, int workbook) {
  const auto column = source.columns_.find(workbook);
  if (column == source.columns_.end()) {
    columns_.erase(workbook);
  } else {
    columns_[workbook] = column->second;
  }
}

}  // namespace quorvex::engine
