// One sheet held in memory: cells sorted by position, column and row sizes, merges.
#include "sheet/writers/SheetBuffer.h"

#include <algorithm>
#include <string>

#include "sheet/model/SheetError.h"

namespace quorvex::sheet {

void SheetBuffer::OnSheetDefaults(const SheetDefaults& defaults) {
  used_.AddDefaults(defaults);
  if (defaults.column_width > 0) default_column_width_ = defaults.column_width;
  if (defaults.row_height > 0) default_row_height_ = defaults.row_height;
}

void SheetBuffer::OnColumnInfo(const ColumnInfo& columns) {
  used_.AddColumns(columns);
  if (columns.first_column <= columns.last_column) columns_.push_back(columns);
}

SinkControl SheetBuffer::OnCell(const Cell& cell) {
  used_.AddCell(cell.row, cell.column);
  if (any_cell_ && (cell.row < last_row_ || (cell.row == last_row_ && cell.column <= last_column_)))
    sorted_ = false;
  any_cell_ = true;
  last_row_ = cell.row;
  last_column_ = cell.column;
  if (max_cells_ == 0) return SinkControl::kContinue;
  if (cells_.size() == max_cells_) {
    throw SheetError(SheetErrorCode::kTooLarge, "The sheet has more than " + std::to_string(max_cells_) +
                                                    " cells, too many to write in this format");
  }
  BufferedCell& stored = cells_.emplace_back();
  stored.row = cell.row;
  stored.column = cell.column;
  stored.kind = cell.value.kind;
  stored.number = cell.value.number;
  stored.text.assign(cell.value.text);
  stored.style = cell.style;
  stored.formula.assign(cell.formula);
  return SinkControl::kContinue;
}

void SheetBuffer::OnRowInfo(const RowInfo& row) {
  used_.AddRow(row);
  rows_.push_back(row);
}

void SheetBuffer::OnMergedRange(const CellRange& range) {
  used_.AddMerge(range);
  if (range.first_row <= range.last_row && range.first_column <= range.last_column) merges_.push_back(range);
}

void SheetBuffer::OnComment(std::uint32_t row, std::uint32_t column) {
  used_.AddComment(row, column);
}

void SheetBuffer::Finish() {
  std::sort(rows_.begin(), rows_.end(), [](const RowInfo& a, const RowInfo& b) { return a.row < b.row; });
  if (sorted_) return;
  const auto before = [](const BufferedCell& a, const BufferedCell& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  };
  std::stable_sort(cells_.begin(), cells_.end(), before);
  // Of two cells at one place the later one counts: keep the last of each run.
  std::vector<BufferedCell> unique;
  unique.reserve(cells_.size());
  for (auto& cell : cells_) {
    if (!unique.empty() && unique.back().row == cell.row && unique.back().column == cell.column) {
      unique.back() = std::move(cell);
    } else {
      unique.push_back(std::move(cell));
    }
  }
  cells_ = std::move(unique);
  sorted_ = true;
}

const ColumnInfo* SheetBuffer::FindColumn(std::uint32_t column) const {
  // Later entries win, as a file's later <col> overrides an earlier one.
  for (auto it = columns_.rbegin(); it != columns_.rend(); ++it) {
    if (column >= it->first_column && column <= it->last_column) return &*it;
  }
  return nullptr;
}

const RowInfo* SheetBuffer::FindRow(std::uint32_t row) const {
  const auto found =
      std::lower_bound(rows_.begin(), rows_.end(), row,
                       [](const RowInfo& info, std::uint32_t value) { return info.row < value; });
  return found != rows_.end() && found->row == row ? &*found : nullptr;
}

double SheetBuffer::ColumnWidth(std::uint32_t column) const {
  const ColumnInfo* info = FindColumn(column);
  return info != nullptr && info->width > 0 ? info->width : default_column_width_;
}

bool SheetBuffer::ColumnHidden(std::uint32_t column) const {
  const ColumnInfo* info = FindColumn(column);
  return info != nullptr && info->hidden;
}

double SheetBuffer::RowHeight(std::uint32_t row) const {
  const RowInfo* info = FindRow(row);
  return info != nullptr && info->height > 0 ? info->height : default_row_height_;
}

bool SheetBuffer::RowHidden(std::uint32_t row) const {
  const RowInfo* info = FindRow(row);
  return info != nullptr && info->hidden;
}

SheetBuffer ReadSheetBuffer(WorkbookReader& reader, std::size_t position, std::size_t max_cells) {
  SheetBuffer buffer(max_cells);
  reader.ReadSheet(position, buffer);
  buffer.Finish();
  return buffer;
}

}  // namespace quorvex::sheet
