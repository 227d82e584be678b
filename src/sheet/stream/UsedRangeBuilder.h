// The used range of a sheet, built from its records as they arrive, never from its dimension.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet {

/// The bounding box of what the application counts as used:
/// - every cell record, style-only blanks included, every merged area and every commented cell;
/// - for the row extent only, every row record that differs from the sheet's default row
///   (hidden, a custom or other height, a styled row format, an outline level or collapsed
///   flag, a thick top or bottom; in a sheet whose rows are hidden by default, every visible
///   row record);
/// - for the column extent only, every column record that is styled or hidden (every column
///   record when the default width is 0), except the whole-sheet record running to the last
///   column and the other records carrying its style.
/// A missing extent (rows without any cell, say) is taken as the first row or column.
class UsedRangeBuilder {
 public:
  void AddDefaults(const SheetDefaults& defaults);
  void AddCell(std::uint32_t row, std::uint32_t column) { Include(row, column); }
  void AddRow(const RowInfo& row);
  void AddColumns(const ColumnInfo& columns);
  void AddMerge(const CellRange& range);
  void AddComment(std::uint32_t row, std::uint32_t column) { Include(row, column); }

  /// The used range of everything added so far; nullopt when nothing qualifies.
  std::optional<CellRange> Result() const;

  /// Whether a row record sets its row apart from the default row described by `defaults`
  /// (`known` false: the sheet stated no defaults, so heights alone do not count).
  static bool RowDiffers(const RowInfo& row, const SheetDefaults& defaults, bool known);

 private:
  struct Span {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    void Include(std::uint32_t low, std::uint32_t high);
  };
  static void Extend(std::optional<Span>& span, std::uint32_t low, std::uint32_t high);
  // Inline: every cell of a sheet passes here.
  void Include(std::uint32_t row, std::uint32_t column) {
    if (box_)
      box_->Include(row, column);
    else
      box_ = CellRange{row, column, row, column};
  }
  std::optional<Span> ColumnExtent() const;

  SheetDefaults defaults_;
  bool defaults_known_ = false;
  std::optional<CellRange> box_;                   // cells, merges and comments
  std::optional<Span> rows_;                       // qualifying row records
  std::map<std::uint32_t, Span> counted_columns_;  // styled or hidden column records, by style
  std::map<std::uint32_t, Span> plain_columns_;    // the others, which count when columns are 0 wide
  std::optional<std::uint32_t> whole_sheet_style_;
};

}  // namespace quorvex::sheet
