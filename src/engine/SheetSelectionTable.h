// Names and ticks of the worksheets of up to 500 workbooks, 5000 sheets each.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quorvex::engine {

/// A table of (name, ticked) cells addressed by workbook column 0..500 and sheet row 0..5000.
/// Stored sparsely: only columns that were written hold memory, and every cell never written
/// reads as an empty name and no tick. A column is recorded when its sheet 1 has a name.
class SheetSelectionTable {
 public:
  static constexpr int kMaxWorkbooks = 500;
  static constexpr int kMaxSheets = 5000;

  /// The name in cell (workbook, sheet), or "" when none was written.
  /// Throws std::out_of_range when an index lies outside 0..500 or 0..5000.
  std::string Name(int workbook, int sheet) const;
  /// Whether cell (workbook, sheet) is ticked; false when nothing was written. Throws like Name.
  bool Ticked(int workbook, int sheet) const;
  /// Writes both fields of one cell. Throws like Name.
  void Set(int workbook, int sheet, const std::string& name, bool ticked);
  /// True when the name of sheet 1 of the column is not empty. Throws like Name.
  bool IsRecorded(int workbook) const;
  /// Every cell back to the empty name and no tick; the memory of every column is released.
  void Clear();

 private:
  struct Cell {
    std::string name;
    bool ticked = false;
  };

  static void CheckBounds(int workbook, int sheet);
  const Cell* Find(int workbook, int sheet) const;

  std::map<int, std::vector<Cell>> columns_;
};

}  // namespace quorvex::engine
