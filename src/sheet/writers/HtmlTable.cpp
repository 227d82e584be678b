// One sheet as an HTML table.
#include "sheet/writers/HtmlTable.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "sheet/model/SheetError.h"
#include "sheet/writers/HtmlStyleSheet.h"
#include "sheet/writers/MarkupEscape.h"

namespace quorvex::sheet {
namespace {

std::string ColumnName(std::uint32_t column) {
  std::string name;
  for (std::uint64_t n = std::uint64_t{column} + 1; n > 0; n = (n - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return name;
}

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// A merged area as the table shows it: its first visible row and column hold the cell, the
// spans count only visible rows and columns.
struct VisibleMerge {
  CellRange range;
  std::uint32_t anchor_row = 0;
  std::uint32_t anchor_column = 0;
  std::uint32_t row_span = 0;
  std::uint32_t column_span = 0;
};

class TableBuilder {
 public:
  TableBuilder(std::string& out, const SheetBuffer& sheet, const numfmt::CellText& text,
               const HtmlTableOptions& options, std::set<std::uint32_t>& used_styles, const CellRange& range)
      : out_(out), sheet_(sheet), text_(text), options_(options), used_styles_(used_styles), range_(range) {
    for (std::uint32_t c = range.first_column; c <= range.last_column; ++c) {
      if (!sheet.ColumnHidden(c)) visible_columns_.push_back(c);
    }
    for (const CellRange& merge : sheet.merges()) AddMerge(merge);
    std::sort(merges_.begin(), merges_.end(), [](const VisibleMerge& a, const VisibleMerge& b) {
      return a.range.first_row < b.range.first_row;
    });
  }

  void Build() {
    out_.append("<colgroup>");
    if (options_.interactive) out_.append("<col class=\"q-rowhead\">");
    for (const std::uint32_t c : visible_columns_) {
      out_.append("<col style=\"width:")
          .append(std::to_string(ColumnWidthPixels(sheet_.ColumnWidth(c))))
          .append("px\">");
    }
    out_.append("</colgroup>\n");
    if (options_.interactive) {
      out_.append("<thead><tr><th class=\"q-corner\"></th>");
      for (const std::uint32_t c : visible_columns_) {
        out_.append("<th class=\"q-colhead\" data-c=\"").append(std::to_string(c)).append("\">");
        out_.append(ColumnName(c)).append("</th>");
      }
      out_.append("</tr></thead>\n");
    }
    out_.append("<tbody>\n");
    std::size_t cursor = 0;
    const auto& cells = sheet_.cells();
    for (std::uint32_t r = range_.first_row;; ++r) {
      while (cursor < cells.size() && cells[cursor].row < r) ++cursor;
      UpdateActiveMerges(r);
      if (!sheet_.RowHidden(r)) BuildRow(r, cursor);
      if (r == range_.last_row) break;
    }
    out_.append("</tbody>\n");
  }

 private:
  void AddMerge(const CellRange& merge) {
    VisibleMerge visible;
    visible.range = merge;
    bool any_row = false;
    for (std::uint32_t r = merge.first_row;; ++r) {
      if (!sheet_.RowHidden(r)) {
        if (!any_row) visible.anchor_row = r;
        any_row = true;
        ++visible.row_span;
      }
      if (r == merge.last_row) break;
    }
    for (const std::uint32_t c : visible_columns_) {
      if (c < merge.first_column || c > merge.last_column) continue;
      if (visible.column_span == 0) visible.anchor_column = c;
      ++visible.column_span;
    }
    // A merge hidden entirely still hides its other cells.
    merges_.push_back(visible);
  }

  // Keeps active_ to the merges that cover `row`; rows arrive in ascending order.
  void UpdateActiveMerges(std::uint32_t row) {
    while (next_merge_ < merges_.size() && merges_[next_merge_].range.first_row <= row) {
      active_.push_back(&merges_[next_merge_++]);
    }
    std::erase_if(active_, [row](const VisibleMerge* merge) { return merge->range.last_row < row; });
  }

  const VisibleMerge* MergeAt(std::uint32_t row, std::uint32_t column) const {
    for (const VisibleMerge* merge : active_) {
      if (merge->range.Contains(row, column)) return merge;
    }
    return nullptr;
  }

  const BufferedCell* FindCell(std::uint32_t row, std::uint32_t column) const {
    const auto& cells = sheet_.cells();
    const auto found =
        std::lower_bound(cells.begin(), cells.end(), std::make_pair(row, column),
                         [](const BufferedCell& cell, const std::pair<std::uint32_t, std::uint32_t>& at) {
                           return cell.row != at.first ? cell.row < at.first : cell.column < at.second;
                         });
    return found != cells.end() && found->row == row && found->column == column ? &*found : nullptr;
  }

  void BuildRow(std::uint32_t r, std::size_t cursor) {
    const auto& cells = sheet_.cells();
    char height[48];
    std::snprintf(height, sizeof height, "<tr style=\"height:%.4gpt\">", sheet_.RowHeight(r));
    out_.append(height);
    if (options_.interactive)
      out_.append("<th class=\"q-rowhead\">").append(std::to_string(r + 1)).append("</th>");
    for (const std::uint32_t c : visible_columns_) {
      while (cursor < cells.size() && cells[cursor].row == r && cells[cursor].column < c) ++cursor;
      const BufferedCell* cell = cursor < cells.size() && cells[cursor].row == r && cells[cursor].column == c
                                     ? &cells[cursor]
                                     : nullptr;
      std::uint32_t row_span = 1;
      std::uint32_t column_span = 1;
      if (!active_.empty()) {
        if (const VisibleMerge* merge = MergeAt(r, c)) {
          if (r != merge->anchor_row || c != merge->anchor_column) continue;
          cell = FindCell(merge->range.first_row, merge->range.first_column);
          row_span = merge->row_span;
          column_span = merge->column_span;
        }
      }
      AppendCell(cell, r, c, row_span, column_span);
    }
    out_.append("</tr>\n");
  }

  void AppendCell(const BufferedCell* cell, std::uint32_t r, std::uint32_t c, std::uint32_t row_span,
                  std::uint32_t column_span) {
    out_.append("<td");
    if (cell != nullptr) {
      used_styles_.insert(cell->style);
      out_.append(" class=\"s").append(std::to_string(cell->style));
      switch (cell->kind) {
        case CellKind::kNumber:
          out_.append(" n");
          break;
        case CellKind::kBoolean:
        case CellKind::kError:
          out_.append(" b");
          break;
        default:
          break;
      }
      out_.append("\"");
    }
    if (row_span > 1) out_.append(" rowspan=\"").append(std::to_string(row_span)).append("\"");
    if (column_span > 1) out_.append(" colspan=\"").append(std::to_string(column_span)).append("\"");
    if (options_.interactive) {
      out_.append(" data-c=\"").append(std::to_string(c)).append("\" data-a=\"");
      out_.append(ColumnName(c)).append(std::to_string(r + 1)).append("\"");
      if (cell != nullptr && (cell->kind == CellKind::kNumber || cell->kind == CellKind::kBoolean)) {
        out_.append(" data-v=\"").append(NumberText(cell->number)).append("\"");
      }
      if (cell != nullptr && !cell->formula.empty()) {
        out_.append(" data-f=\"=");
        AppendEscaped(out_, cell->formula, false);
        out_.append("\"");
      }
    }
    out_.append(">");
    if (cell != nullptr && cell->kind != CellKind::kEmpty) {
      shown_.clear();
      text_.Append(cell->Value(), cell->style, shown_);
      AppendEscaped(out_, shown_);
    }
    out_.append("</td>");
  }

  std::string& out_;
  const SheetBuffer& sheet_;
  const numfmt::CellText& text_;
  const HtmlTableOptions& options_;
  std::set<std::uint32_t>& used_styles_;
  CellRange range_;
  std::vector<std::uint32_t> visible_columns_;
  std::vector<VisibleMerge> merges_;         // sorted by first row
  std::size_t next_merge_ = 0;               // the first merge not yet active
  std::vector<const VisibleMerge*> active_;  // merges covering the current row
  std::string shown_;
};

}  // namespace

void AppendHtmlTable(std::string& out, const SheetBuffer& sheet, const numfmt::CellText& text,
                     const HtmlTableOptions& options, std::set<std::uint32_t>& used_styles) {
  out.append("<table class=\"q-sheet\">\n");
  if (const auto range = sheet.UsedRange()) {
    if (std::uint64_t{range->RowCount()} * range->ColumnCount() > kMaxTableCells) {
      throw SheetError(SheetErrorCode::kTooLarge,
                       "The sheet's used range (" + std::to_string(range->RowCount()) + " rows by " +
                           std::to_string(range->ColumnCount()) + " columns) is too large for a web page");
    }
    TableBuilder(out, sheet, text, options, used_styles, *range).Build();
  }
  out.append("</table>\n");
}

}  // namespace quorvex::sheet
