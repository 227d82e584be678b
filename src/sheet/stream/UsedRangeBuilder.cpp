// The used-range rule: cells, merges and comments in both directions, row and column records in one.
#include "sheet/stream/UsedRangeBuilder.h"

#include <algorithm>
#include <cmath>

namespace quorvex::sheet {

void UsedRangeBuilder::Span::Include(std::uint32_t low, std::uint32_t high) {
  first = std::min(first, low);
  last = std::max(last, high);
}

void UsedRangeBuilder::Extend(std::optional<Span>& span, std::uint32_t low, std::uint32_t high) {
  if (span)
    span->Include(low, high);
  else
    span = Span{low, high};
}

void UsedRangeBuilder::AddDefaults(const SheetDefaults& defaults) {
  defaults_ = defaults;
  defaults_known_ = true;
}

bool UsedRangeBuilder::RowDiffers(const RowInfo& row, const SheetDefaults& defaults, bool known) {
  if (known && defaults.zero_height) {
    if (!row.hidden) return true;
  } else {
    if (row.hidden || row.custom_height) return true;
    if (known && row.height > 0 && defaults.row_height > 0 &&
        std::abs(row.height - defaults.row_height) > 1e-6) {
      return true;
    }
  }
  if (row.styled || row.outline_level > 0 || row.collapsed) return true;
  return row.thick_top != defaults.thick_top || row.thick_bottom != defaults.thick_bottom;
}

void UsedRangeBuilder::AddRow(const RowInfo& row) {
  if (RowDiffers(row, defaults_, defaults_known_)) Extend(rows_, row.row, row.row);
}

void UsedRangeBuilder::AddColumns(const ColumnInfo& columns) {
  if (columns.first_column > columns.last_column) return;
  if (columns.to_sheet_end) {
    whole_sheet_style_ = columns.style;
    return;
  }
  auto& by_style = columns.styled || columns.hidden ? counted_columns_ : plain_columns_;
  const auto [it, inserted] =
      by_style.try_emplace(columns.style, Span{columns.first_column, columns.last_column});
  if (!inserted) it->second.Include(columns.first_column, columns.last_column);
}

void UsedRangeBuilder::AddMerge(const CellRange& range) {
  if (range.first_row > range.last_row || range.first_column > range.last_column) return;
  Include(range.first_row, range.first_column);
  Include(range.last_row, range.last_column);
}

std::optional<UsedRangeBuilder::Span> UsedRangeBuilder::ColumnExtent() const {
  std::optional<Span> extent;
  const auto add = [&](const std::map<std::uint32_t, Span>& by_style) {
    for (const auto& [style, span] : by_style) {
      if (whole_sheet_style_ && style == *whole_sheet_style_) continue;
      Extend(extent, span.first, span.last);
    }
  };
  add(counted_columns_);
  if (defaults_known_ && defaults_.zero_column_width) add(plain_columns_);
  return extent;
}

std::optional<CellRange> UsedRangeBuilder::Result() const {
  const std::optional<Span> columns = ColumnExtent();
  if (!box_ && !rows_ && !columns) return std::nullopt;
  CellRange range;
  std::optional<Span> row_extent = rows_;
  std::optional<Span> column_extent = columns;
  if (box_) {
    Extend(row_extent, box_->first_row, box_->last_row);
    Extend(column_extent, box_->first_column, box_->last_column);
  }
  if (row_extent) {
    range.first_row = row_extent->first;
    range.last_row = row_extent->last;
  }
  if (column_extent) {
    range.first_column = column_extent->first;
    range.last_column = column_extent->last;
  }
  return range;
}

}  // namespace quorvex::sheet
