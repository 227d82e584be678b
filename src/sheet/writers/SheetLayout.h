// What the writers need of a sheet before its cells: sizes, hidden parts, merges, used range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/stream/UsedRangeBuilder.h"

namespace quorvex::sheet {

/// The styles cells use, as a set a cell at a time can be added to cheaply.
class StyleSet {
 public:
  void Add(std::uint32_t style) {
    if (style < dense_.size()) {
      dense_[style] = true;
    } else {
      AddSlow(style);
    }
  }
  /// Every style added, ascending.
  std::set<std::uint32_t> Members() const;
  void Merge(const StyleSet& other);

 private:
  void AddSlow(std::uint32_t style);
  std::vector<bool> dense_;
  std::set<std::uint32_t> sparse_;  // styles too large for the dense part
};

/// Collects the columns, rows and merges of one sheet, its used range and the styles of its
/// cells, but none of the cells themselves: writers stream those.
class SheetLayout : public SheetSink {
 public:
  void OnSheetDefaults(const SheetDefaults& defaults) override;
  void OnColumnInfo(const ColumnInfo& columns) override;
  SinkControl OnCell(const Cell& cell) override;
  void OnRowInfo(const RowInfo& row) override;
  void OnMergedRange(const CellRange& range) override;
  void OnComment(std::uint32_t row, std::uint32_t column) override;

  /// Sorts the rows; call once after the reader has finished.
  void Finish();

  const std::vector<ColumnInfo>& columns() const { return columns_; }
  const std::vector<RowInfo>& rows() const { return rows_; }
  const std::vector<CellRange>& merges() const { return merges_; }
  /// The styles of every cell record, written or not.
  const StyleSet& cell_styles() const { return cell_styles_; }
  /// The sheet's used range (see UsedRangeBuilder); nullopt when nothing qualifies.
  std::optional<CellRange> UsedRange() const { return used_.Result(); }
  /// Whether a row or column record hides anything.
  bool AnyHidden() const;

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

  std::vector<ColumnInfo> columns_;
  std::vector<RowInfo> rows_;
  std::vector<CellRange> merges_;
  StyleSet cell_styles_;
  double default_column_width_ = 8.43;
  double default_row_height_ = 15;
  UsedRangeBuilder used_;
};

}  // namespace quorvex::sheet
