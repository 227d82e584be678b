// Writes one sheet's range as delimited text (CSV or tab-separated), row by row.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sheet/model/CellRange.h"
#include "sheet/model/CellValue.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/OutputStream.h"
#include "sheet/writers/TextEncoding.h"

namespace quorvex::sheet {

/// Output rules: the fields' text in `encoder`'s encoding (UTF-8 as it comes without one; the
/// caller writes any preamble), CR LF between lines and none after the last, a
/// field quoted (inner quotes doubled) only when it holds the delimiter, a quote, CR or LF.
/// The lines cover `range` from its first row and column to its last, every line with all its
/// fields: a one-cell range whose cell shows nothing gives an empty file.
class DelimitedWriter {
 public:
  DelimitedWriter(OutputStream& out, const numfmt::CellText& text, char delimiter, const CellRange& range,
                  TextEncoder* encoder = nullptr);

  /// Writes `cell`. Returns false, writing nothing, when the cell lies outside the range or does
  /// not come after the cell written before it.
  bool Add(const Cell& cell);
  /// Moves the range's last row, when no line after the new last row has been started;
  /// false otherwise.
  bool SetLastRow(std::uint32_t row);
  /// Writes the lines still missing up to the end of the range.
  void Finish();

  const CellRange& range() const { return range_; }
  /// The row whose line is open, or the next one to be started.
  std::uint32_t next_row() const { return row_open_ ? next_row_ - 1 : next_row_; }

 private:
  void EndRowsBefore(std::uint32_t row);
  void StartLine();
  bool NeedsQuotes(std::string_view text) const;
  void AppendField(std::string_view text);

  OutputStream& out_;
  const numfmt::CellText& text_;
  char delimiter_;
  TextEncoder* encoder_;
  std::array<bool, 256> quoted_characters_{};  // those that make a field need quotes
  CellRange range_;
  std::uint32_t next_row_;  // the next row whose line has not been started
  bool any_line_ = false;
  bool row_open_ = false;          // a line for row next_row_ - 1 is being written
  std::uint32_t next_column_ = 0;  // next column of the open line
  std::string field_;
  std::string encoded_;
};

}  // namespace quorvex::sheet
