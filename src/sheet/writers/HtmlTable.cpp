// One sheet as an HTML table.
#include "sheet/writers/HtmlTable.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "sheet/model/CellValue.h"
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

/// Appends the text `value` shows in `style`, escaped; `scratch` holds it on the way.
void AppendShownText(std::string& out, const CellValue& value, std::uint32_t style,
                     const numfmt::CellText& text, std::string& scratch) {
  if (value.kind == CellKind::kEmpty) return;
  scratch.clear();
  text.Append(value, style, scratch);
  AppendEscaped(out, scratch);
}

/// A cell with its own copies of the value's text and the formula.
struct HeldCell {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
  CellKind kind = CellKind::kEmpty;
  double number = 0;
  std::string text;  // strings and error codes
  std::uint32_t style = 0;
  std::string formula;
  std::string prepared;  // the shown text, escaped, when the scan prepared it
  bool has_prepared = false;

  void Assign(const Cell& cell) {
    row = cell.row;
    column = cell.column;
    kind = cell.value.kind;
    number = cell.value.number;
    text.assign(cell.value.text);
    style = cell.style;
    formula.assign(cell.formula);
    has_prepared = cell.prepared.has_value();
    if (has_prepared) prepared.assign(*cell.prepared);
  }
  CellValue Value() const { return {kind, number, text}; }
};

/// An output that keeps nothing, for a table gone through only for the styles it shows.
class NullOutput : public OutputStream {
 protected:
  void Emit(std::string_view) override {}
};

/// Writes the table as the cells stream in, in row order, each place once. It holds one row of
/// cells, and the first cell of each merged area until the area ends.
class TableBuilder : public SheetSink {
 public:
  /// With `shown_styles` set, writes nothing that counts and only collects the styles shown.
  TableBuilder(OutputStream& out, const SheetLayout& sheet, const numfmt::CellText* text,
               const HtmlTableOptions& options, const CellRange& range, StyleSet* shown_styles = nullptr)
      : out_(out),
        sheet_(sheet),
        text_(text),
        options_(options),
        range_(range),
        shown_styles_(shown_styles),
        next_row_(range.first_row) {
    for (std::uint32_t c = range.first_column; c <= range.last_column; ++c) {
      if (!sheet.ColumnHidden(c)) visible_columns_.push_back(c);
    }
    for (const CellRange& merge : sheet.merges()) AddMerge(merge);
    std::sort(merges_.begin(), merges_.end(), [](const VisibleMerge& a, const VisibleMerge& b) {
      return a.range.first_row < b.range.first_row;
    });
  }

  void Begin() {
    std::string& out = out_.buffer();
    out.append("<colgroup>");
    if (options_.interactive) out.append("<col class=\"q-rowhead\">");
    for (const std::uint32_t c : visible_columns_) {
      out.append("<col style=\"width:")
          .append(std::to_string(ColumnWidthPixels(sheet_.ColumnWidth(c))))
          .append("px\">");
      out_.Drain();
    }
    out.append("</colgroup>\n");
    if (options_.interactive) {
      out.append("<thead><tr><th class=\"q-corner\"></th>");
      for (const std::uint32_t c : visible_columns_) {
        out.append("<th class=\"q-colhead\" data-c=\"").append(std::to_string(c)).append("\">");
        out.append(ColumnName(c)).append("</th>");
        out_.Drain();
      }
      out.append("</tr></thead>\n");
    }
    out.append("<tbody>\n");
  }

  SinkControl OnCell(const Cell& cell) override {
    if (!range_.Contains(cell.row, cell.column)) return SinkControl::kContinue;
    if (held_ > 0 && cell.row != row_cells_.front().row) WriteRowsThrough(row_cells_.front().row);
    if (held_ == row_cells_.size()) row_cells_.emplace_back();
    row_cells_[held_++].Assign(cell);
    return SinkControl::kContinue;
  }

  void Finish() {
    WriteRowsThrough(range_.last_row);
    out_.buffer().append("</tbody>\n");
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

  // Writes the rows from next_row_ to `last`; the cells held are those of `last`, if any.
  void WriteRowsThrough(std::uint32_t last) {
    if (next_row_ > last || next_row_ > range_.last_row) return;
    for (std::uint32_t r = next_row_;; ++r) {
      const bool held_row = held_ > 0 && row_cells_.front().row == r;
      UpdateActiveMerges(r, held_row);
      if (!sheet_.RowHidden(r)) WriteRow(r, held_row ? held_ : 0);
      out_.Drain();
      if (r == last) break;
    }
    next_row_ = last + 1;
    held_ = 0;
  }

  // Keeps active_ to the merges that cover `row`, keeping the first cell of each merge that
  // starts in it; rows arrive in ascending order.
  void UpdateActiveMerges(std::uint32_t row, bool held_row) {
    while (next_merge_ < merges_.size() && merges_[next_merge_].range.first_row <= row) {
      const VisibleMerge* merge = &merges_[next_merge_++];
      active_.push_back(merge);
      if (!held_row || merge->range.first_row != row) continue;
      if (const HeldCell* first = FindHeld(merge->range.first_column)) merge_cells_[merge] = *first;
    }
    std::erase_if(active_, [this, row](const VisibleMerge* merge) {
      if (merge->range.last_row >= row) return false;
      merge_cells_.erase(merge);
      return true;
    });
  }

  const VisibleMerge* MergeAt(std::uint32_t row, std::uint32_t column) const {
    for (const VisibleMerge* merge : active_) {
      if (merge->range.Contains(row, column)) return merge;
    }
    return nullptr;
  }

  const HeldCell* FindHeld(std::uint32_t column) const {
    for (std::size_t i = 0; i < held_; ++i) {
      if (row_cells_[i].column == column) return &row_cells_[i];
    }
    return nullptr;
  }

  void WriteRow(std::uint32_t r, std::size_t held) {
    std::string& out = out_.buffer();
    char height[48];
    std::snprintf(height, sizeof height, "<tr style=\"height:%.4gpt\">", sheet_.RowHeight(r));
    out.append(height);
    if (options_.interactive)
      out.append("<th class=\"q-rowhead\">").append(std::to_string(r + 1)).append("</th>");
    std::size_t cursor = 0;
    for (const std::uint32_t c : visible_columns_) {
      while (cursor < held && row_cells_[cursor].column < c) ++cursor;
      const HeldCell* cell = cursor < held && row_cells_[cursor].column == c ? &row_cells_[cursor] : nullptr;
      std::uint32_t row_span = 1;
      std::uint32_t column_span = 1;
      if (!active_.empty()) {
        if (const VisibleMerge* merge = MergeAt(r, c)) {
          if (r != merge->anchor_row || c != merge->anchor_column) continue;
          const auto first = merge_cells_.find(merge);
          cell = first != merge_cells_.end() ? &first->second : nullptr;
          row_span = merge->row_span;
          column_span = merge->column_span;
        }
      }
      AppendCell(out, cell, r, c, row_span, column_span);
    }
    out.append("</tr>\n");
  }

  void AppendCell(std::string& out, const HeldCell* cell, std::uint32_t r, std::uint32_t c,
                  std::uint32_t row_span, std::uint32_t column_span) {
    if (shown_styles_ != nullptr) {
      if (cell != nullptr) shown_styles_->Add(cell->style);
      return;
    }
    out.append("<td");
    if (cell != nullptr) {
      out.append(" class=\"s").append(std::to_string(cell->style));
      switch (cell->kind) {
        case CellKind::kNumber:
          out.append(" n");
          break;
        case CellKind::kBoolean:
        case CellKind::kError:
          out.append(" b");
          break;
        default:
          break;
      }
      out.append("\"");
    }
    if (row_span > 1) out.append(" rowspan=\"").append(std::to_string(row_span)).append("\"");
    if (column_span > 1) out.append(" colspan=\"").append(std::to_string(column_span)).append("\"");
    if (options_.interactive) {
      out.append(" data-c=\"").append(std::to_string(c)).append("\" data-a=\"");
      out.append(ColumnName(c)).append(std::to_string(r + 1)).append("\"");
      if (cell != nullptr && (cell->kind == CellKind::kNumber || cell->kind == CellKind::kBoolean)) {
        out.append(" data-v=\"").append(NumberText(cell->number)).append("\"");
      }
      if (cell != nullptr && !cell->formula.empty()) {
        out.append(" data-f=\"=");
        AppendEscaped(out, cell->formula, false);
        out.append("\"");
      }
    }
    out.append(">");
    if (cell != nullptr && cell->has_prepared) {
      out.append(cell->prepared);
    } else if (cell != nullptr) {
      AppendShownText(out, cell->Value(), cell->style, *text_, shown_);
    }
    out.append("</td>");
  }

  OutputStream& out_;
  const SheetLayout& sheet_;
  const numfmt::CellText* text_;
  const HtmlTableOptions options_;  // A copy: callers may pass a temporary.
  CellRange range_;
  StyleSet* shown_styles_;
  std::vector<std::uint32_t> visible_columns_;
  std::vector<VisibleMerge> merges_;                     // sorted by first row
  std::size_t next_merge_ = 0;                           // the first merge not yet active
  std::vector<const VisibleMerge*> active_;              // merges covering the current row
  std::map<const VisibleMerge*, HeldCell> merge_cells_;  // the first cells of the active merges
  std::vector<HeldCell> row_cells_;                      // the cells of one row, in column order
  std::size_t held_ = 0;                                 // how many of row_cells_ hold that row's cells
  std::uint32_t next_row_;                               // the first row not yet written
  std::string shown_;
};

}  // namespace

SheetScan::Preparer HtmlCellPreparer(const numfmt::CellText& text) {
  return [&text, scratch = std::string()](const Cell& cell, std::string& prepared) mutable {
    AppendShownText(prepared, cell.value, cell.style, text, scratch);
  };
}

void CheckHtmlTableSize(const SheetLayout& layout) {
  const auto range = layout.UsedRange();
  if (range && std::uint64_t{range->RowCount()} * range->ColumnCount() > kMaxTableCells) {
    throw SheetError(SheetErrorCode::kTooLarge,
                     "the sheet's used range (" + std::to_string(range->RowCount()) + " rows by " +
                         std::to_string(range->ColumnCount()) + " columns) is too large for a web page");
  }
}

void WriteHtmlTable(OutputStream& out, const SheetLayout& layout, SheetScan& scan,
                    const numfmt::CellText& text, const HtmlTableOptions& options) {
  CheckHtmlTableSize(layout);
  out.Write("<table class=\"q-sheet\">\n");
  if (const auto range = layout.UsedRange()) {
    TableBuilder table(out, layout, &text, options, *range);
    table.Begin();
    scan.Replay(table);
    table.Finish();
  }
  out.Write("</table>\n");
}

std::set<std::uint32_t> HtmlTableStyles(const SheetLayout& layout, SheetScan& scan) {
  const auto range = layout.UsedRange();
  if (!range) return {};
  // Every cell lies in the used range; only hidden parts and merges keep some off the page.
  if (layout.merges().empty() && !layout.AnyHidden()) return layout.cell_styles().Members();
  CheckHtmlTableSize(layout);
  NullOutput nowhere;
  StyleSet shown;
  TableBuilder table(nowhere, layout, nullptr, HtmlTableOptions{}, *range, &shown);
  scan.Replay(table);
  table.Finish();
  return shown.Members();
}

}  // namespace quorvex::sheet
