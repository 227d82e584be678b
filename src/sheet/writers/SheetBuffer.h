// One sheet held in memory for the writers that need all of it before writing (web pages, XML).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/stream/UsedRangeBuilder.h"

namespace quorvex::sheet {

/// A cell with its own copies of the value's text and the formula.
struct BufferedCell {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
  CellKind kind = CellKind::kEmpty;
  double number = 0;
  std::string text;  // strings and error codes
  std::uint32_t style = 0;
  std::string formula;  // A1 form without "=", empty when the file keeps none

  CellValue Value() const { return {kind, number, text}; }
};

/// Collects every cell, column, row and merge of one sheet. Cells are kept sorted by row, then
/// column, whatever order the file stores them in; a later cell at the same place replaces an
/// earlier one.
class SheetBuffer : public SheetSink {
 public:
  /// Keeps at most `max_cells` cells and throws SheetError (kTooLarge) at the next one; with 0 it
  /// keeps only the layout (columns, rows, merges, sizes) and the used range.
  explicit SheetBuffer(std::size_t max_cells = kDefaultMaxCells) : max_cells_(max_cells) {}

  static constexpr std::size_t kDefaultMaxCells = 4'000'000;

  void OnSheetDefaults(const SheetDefaults& defaults) override;
  void OnColumnInfo(const ColumnInfo& columns) override;
  SinkControl OnCell(const Cell& cell) override;
  void OnRowInfo(const RowInfo& row) override;
  void OnMergedRange(const CellRange& range) override;
  void OnComment(std::uint32_t row, std::uint32_t column) override;

  /// Sorts the cells; call once after the reader has finished.
  void Finish();

  const std::vector<BufferedCell>& cells() const { return cells_; }
  const std::vector<ColumnInfo>& columns() const { return columns_; }
  const std::vector<RowInfo>& rows() const { return rows_; }
  const std::vector<CellRange>& merges() const { return merges_; }
  /// The sheet's used range (see UsedRangeBuilder); nullopt when nothing qualifies.
  std::optional<CellRange> UsedRange() const { return used_.Result(); }

  /// Width of `column` in characters, and whether it is hidden.
  double ColumnWidth(std::uint32_t column) const;
  bool ColumnHidden(std::uint32_t column) const;
  /// Height of `row` in points, and whether it is hidden.
  double RowHeight(std::uint32_t row) const;
  bool RowHidden(std::uint32_t row) const;

  double default_column_width() const { return default_column_width_; }
  double default_row_height() const { return default_row_height_; }

 private:
  const ColumnInfo* FindColumn(std::uint32_t column) const;
  const RowInfo* FindRow(std::uint32_t row) const;

  std::vector<BufferedCell> cells_;
  std::vector<ColumnInfo> columns_;
  std::vector<RowInfo> rows_;
  std::vector<CellRange> merges_;
  double default_column_width_ = 8.43;
  double default_row_height_ = 15;
  std::size_t max_cells_;
  UsedRangeBuilder used_;
  bool sorted_ = true;
  bool any_cell_ = false;
  std::uint32_t last_row_ = 0;
  std::uint32_t last_column_ = 0;
};

/// Reads the sheet at `position` into a buffer of at most `max_cells` cells. Throws SheetError.
SheetBuffer ReadSheetBuffer(WorkbookReader& reader, std::size_t position,
                            std::size_t max_cells = SheetBuffer::kDefaultMaxCells);

}  // namespace quorvex::sheet
