// One sheet's layout: column and row sizes, hidden parts, merges, used range and cell styles.
#include "sheet/writers/SheetLayout.h"

#include <algorithm>

namespace quorvex::sheet {
namespace {

// Styles below this go in the dense part: a cell format table is rarely larger, and a hostile
// style number beyond it costs a tree node rather than memory up to it.
constexpr std::uint32_t kDenseStyles = std::uint32_t{1} << 20;

}  // namespace

void StyleSet::AddSlow(std::uint32_t style) {
  if (style < kDenseStyles) {
    dense_.resize(std::max<std::size_t>(style + 1, dense_.size() * 2));
    dense_[style] = true;
  } else {
    sparse_.insert(style);
  }
}

std::set<std::uint32_t> StyleSet::Members() const {
  std::set<std::uint32_t> members(sparse_);
  for (std::uint32_t style = 0; style < dense_.size(); ++style) {
    if (dense_[style]) members.insert(style);
  }
  return members;
}

void StyleSet::Merge(const StyleSet& other) {
  for (const std::uint32_t style : other.Members()) Add(style);
}

void SheetLayout::OnSheetDefaults(const SheetDefaults& defaults) {
  used_.AddDefaults(defaults);
  if (defaults.column_width > 0) default_column_width_ = defaults.column_width;
  if (defaults.row_height > 0) default_row_height_ = defaults.row_height;
}

void SheetLayout::OnColumnInfo(const ColumnInfo& columns) {
  used_.AddColumns(columns);
  if (columns.first_column <= columns.last_column) columns_.push_back(columns);
}

SinkControl SheetLayout::OnCell(const Cell& cell) {
  used_.AddCell(cell.row, cell.column);
  cell_styles_.Add(cell.style);
  return SinkControl::kContinue;
}

void SheetLayout::OnRowInfo(const RowInfo& row) {
  used_.AddRow(row);
  rows_.push_back(row);
}

void SheetLayout::OnMergedRange(const CellRange& range) {
  used_.AddMerge(range);
  if (range.first_row <= range.last_row && range.first_column <= range.last_column) merges_.push_back(range);
}

void SheetLayout::OnComment(std::uint32_t row, std::uint32_t column) {
  used_.AddComment(row, column);
}

void SheetLayout::Finish() {
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const RowInfo& a, const RowInfo& b) { return a.row < b.row; });
}

bool SheetLayout::AnyHidden() const {
  return std::any_of(columns_.begin(), columns_.end(), [](const ColumnInfo& info) { return info.hidden; }) ||
         std::any_of(rows_.begin(), rows_.end(), [](const RowInfo& info) { return info.hidden; });
}

const ColumnInfo* SheetLayout::FindColumn(std::uint32_t column) const {
  // Later entries win, as a file's later <col> overrides an earlier one.
  for (auto it = columns_.rbegin(); it != columns_.rend(); ++it) {
    if (column >= it->first_column && column <= it->last_column) return &*it;
  }
  return nullptr;
}

const RowInfo* SheetLayout::FindRow(std::uint32_t row) const {
  const auto found =
      std::lower_bound(rows_.begin(), rows_.end(), row,
                       [](const RowInfo& info, std::uint32_t value) { return info.row < value; });
  return found != rows_.end() && found->row == row ? &*found : nullptr;
}

double SheetLayout::ColumnWidth(std::uint32_t column) const {
  const ColumnInfo* info = FindColumn(column);
  return info != nullptr && info->width > 0 ? info->width : default_column_width_;
}

bool SheetLayout::ColumnHidden(std::uint32_t column) const {
  const ColumnInfo* info = FindColumn(column);
  return info != nullptr && info->hidden;
}

double SheetLayout::RowHeight(std::uint32_t row) const {
  const RowInfo* info = FindRow(row);
  return info != nullptr && info->height > 0 ? info->height : default_row_height_;
}

bool SheetLayout::RowHidden(std::uint32_t row) const {
  const RowInfo* info = FindRow(row);
  return info != nullptr && info->hidden;
}

}  // namespace quorvex::sheet
