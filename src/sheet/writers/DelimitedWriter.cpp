// Delimited text output of one sheet, written row by row as the cells arrive.
#include "sheet/writers/DelimitedWriter.h"

#include <cstring>

namespace quorvex::sheet {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

DelimitedWriter::DelimitedWriter(OutputFile& out, const numfmt::CellText& text, char delimiter,
                                 std::optional<CellRange> range)
    : out_(out), text_(text), delimiter_(delimiter), range_fixed_(range.has_value()), range_(range) {
  if (range_) next_row_ = range_->first_row;
}

void DelimitedWriter::OnDimension(const CellRange& declared) {
  if (range_fixed_) return;
  range_ = declared;
  next_row_ = declared.first_row;
}

void DelimitedWriter::OnCell(const Cell& cell) {
  if (!range_ || !range_->Contains(cell.row, cell.column)) throw RangeUnknown{};
  any_cell_ = true;
  if (!row_open_ || cell.row != next_row_ - 1) {
    // Rows must arrive in ascending order; anything else means the range has to be rebuilt
    // from a full scan, which a streaming writer cannot do.
    if (cell.row < next_row_) throw RangeUnknown{};
    EndRowsBefore(cell.row);
    row_open_ = true;
    next_row_ = cell.row + 1;
    next_column_ = range_->first_column;
  } else if (cell.column < next_column_) {
    throw RangeUnknown{};
  }
  if (cell.value.kind == CellKind::kEmpty) return;  // a style-only cell adds no text
  std::string& line = out_.buffer();
  // Separators for every column up to this one, then the field itself.
  std::uint32_t separators = cell.column - next_column_ + (next_column_ > range_->first_column ? 1 : 0);
  line.append(separators, delimiter_);
  next_column_ = cell.column + 1;
  field_.clear();
  text_.Append(cell.value, cell.style, field_);
  AppendField(field_);
}

void DelimitedWriter::AppendField(std::string_view text) {
  std::string& line = out_.buffer();
  const char specials[] = {delimiter_, '"', '\r', '\n', '\0'};
  if (text.find_first_of(specials) == std::string_view::npos) {
    line.append(text);
    return;
  }
  line.push_back('"');
  for (char c : text) {
    if (c == '"') line.push_back('"');
    line.push_back(c);
  }
  line.push_back('"');
}

void DelimitedWriter::EndRowsBefore(std::uint32_t row) {
  std::string& line = out_.buffer();
  const std::uint32_t columns = range_->ColumnCount();
  if (row_open_) {
    // Pad the open line to the full width of the range.
    std::uint32_t written = next_column_ - range_->first_column;
    line.append(columns - (written == 0 ? 1 : written), delimiter_);
    line.append(kLineEnd);
    row_open_ = false;
  }
  for (; next_row_ < row; ++next_row_) {
    line.append(columns - 1, delimiter_);
    line.append(kLineEnd);
    out_.Drain();
  }
  out_.Drain();
}

void DelimitedWriter::Finish() {
  // A sheet without cells gives an empty file, whatever range its file declares.
  if (!any_cell_) return;
  EndRowsBefore(range_->last_row + 1);
}

void RangeScanner::OnCell(const Cell& cell) {
  if (range_) range_->Include(cell.row, cell.column);
  else range_ = CellRange{cell.row, cell.column, cell.row, cell.column};
}

}  // namespace quorvex::sheet
