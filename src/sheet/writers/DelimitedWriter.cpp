// Delimited text output of one range, written row by row as the cells arrive.
#include "sheet/writers/DelimitedWriter.h"

#include <algorithm>

namespace quorvex::sheet {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

DelimitedWriter::DelimitedWriter(OutputStream& out, const numfmt::CellText& text, char delimiter,
                                 const CellRange& range, TextEncoder* encoder)
    : out_(out),
      text_(text),
      delimiter_(delimiter),
      encoder_(encoder),
      range_(range),
      next_row_(range.first_row) {
  for (const char c : {delimiter, '"', '\r', '\n'}) quoted_characters_[static_cast<unsigned char>(c)] = true;
}

bool DelimitedWriter::Add(const Cell& cell) {
  if (!range_.Contains(cell.row, cell.column)) return false;
  if (!row_open_ || cell.row != next_row_ - 1) {
    if (cell.row < next_row_) return false;
    EndRowsBefore(cell.row);
    StartLine();
    row_open_ = true;
    next_row_ = cell.row + 1;
  } else if (cell.column < next_column_) {
    return false;
  }
  if (cell.value.kind == CellKind::kEmpty) return true;  // a style-only cell adds no text
  // Separators for every column up to this one, then the field itself.
  const std::uint32_t separators = cell.column - next_column_ + (next_column_ > range_.first_column ? 1 : 0);
  std::string& line = out_.buffer();
  line.append(separators, delimiter_);
  next_column_ = cell.column + 1;
  if (encoder_ != nullptr && encoder_->Transcodes()) {
    field_.clear();
    text_.Append(cell.value, cell.style, field_);
    // The delimiter, quotes and line breaks are ASCII, the same in every encoding offered.
    encoded_.clear();
    encoder_->Append(field_, encoded_);
    AppendField(encoded_);
    return true;
  }
  // Straight into the line: only a field that needs quotes is moved out and written again.
  const std::size_t start = line.size();
  text_.Append(cell.value, cell.style, line);
  if (NeedsQuotes(std::string_view(line).substr(start))) {
    field_.assign(line, start);
    line.resize(start);
    AppendField(field_);
  }
  return true;
}

bool DelimitedWriter::NeedsQuotes(std::string_view text) const {
  // A table lookup per character: find_first_of would search the list of specials for each one.
  return std::any_of(text.begin(), text.end(),
                     [this](char c) { return quoted_characters_[static_cast<unsigned char>(c)]; });
}

void DelimitedWriter::AppendField(std::string_view text) {
  std::string& line = out_.buffer();
  if (!NeedsQuotes(text)) {
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

void DelimitedWriter::StartLine() {
  // Line breaks go between lines, so the last line ends without one.
  if (any_line_) out_.buffer().append(kLineBreak);
  any_line_ = true;
  next_column_ = range_.first_column;
}

void DelimitedWriter::EndRowsBefore(std::uint32_t row) {
  std::string& line = out_.buffer();
  const std::uint32_t columns = range_.ColumnCount();
  if (row_open_) {
    // Pad the open line to the full width of the range.
    const std::uint32_t written = next_column_ - range_.first_column;
    line.append(columns - (written == 0 ? 1 : written), delimiter_);
    row_open_ = false;
  }
  for (; next_row_ < row; ++next_row_) {
    StartLine();
    line.append(columns - 1, delimiter_);
    out_.Drain();
  }
  out_.Drain();
}

bool DelimitedWriter::SetLastRow(std::uint32_t row) {
  if (row < range_.first_row || row + 1 < next_row_) return false;
  range_.last_row = row;
  return true;
}

void DelimitedWriter::Finish() {
  EndRowsBefore(range_.last_row + 1);
}

}  // namespace quorvex::sheet
