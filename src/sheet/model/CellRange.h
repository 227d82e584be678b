// A rectangle of cells, 0-based and inclusive.
#pragma once

#include <algorithm>
#include <cstdint>

namespace quorvex::sheet {

struct CellRange {
  std::uint32_t first_row = 0;
  std::uint32_t first_column = 0;
  std::uint32_t last_row = 0;
  std::uint32_t last_column = 0;

  bool Contains(std::uint32_t row, std::uint32_t column) const {
    return row >= first_row && row <= last_row && column >= first_column && column <= last_column;
  }
  bool operator==(const CellRange&) const = default;

  std::uint32_t RowCount() const { return last_row - first_row + 1; }
  std::uint32_t ColumnCount() const { return last_column - first_column + 1; }

  /// Grows the range so that it holds (row, column).
  void Include(std::uint32_t row, std::uint32_t column) {
    first_row = std::min(first_row, row);
    last_row = std::max(last_row, row);
    first_column = std::min(first_column, column);
    last_column = std::max(last_column, column);
  }
};

}  // namespace quorvex::sheet
