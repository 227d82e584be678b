// Writes one sheet as delimited text (CSV or tab-separated) while its cells stream in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/OutputFile.h"

namespace quorvex::sheet {

/// Output rules: UTF-8 without byte-order mark, CR LF after every line, a field quoted (inner
/// quotes doubled) only when it holds the delimiter, a quote, CR or LF. The file covers the used
/// range from its first row and column to its last; every line has the same number of fields.
class DelimitedWriter : public SheetSink {
 public:
  /// Thrown when the cells do not fit the range the writer was given (or no range was known
  /// before the first cell): the caller then scans the sheet for its range and writes again.
  struct RangeUnknown {};

  /// `range` is the used range when known in advance; otherwise the declared dimension is used.
  DelimitedWriter(OutputFile& out, const numfmt::CellText& text, char delimiter,
                  std::optional<CellRange> range);

  void OnDimension(const CellRange& declared) override;
  void OnCell(const Cell& cell) override;
  /// Writes the rows still missing up to the end of the range.
  void Finish();

 private:
  void EndRowsBefore(std::uint32_t row);
  void AppendField(std::string_view text);

  OutputFile& out_;
  const numfmt::CellText& text_;
  char delimiter_;
  bool range_fixed_;
  std::optional<CellRange> range_;
  std::uint32_t next_row_ = 0;     // the next row whose line has not been started
  bool any_cell_ = false;
  bool row_open_ = false;          // a line for row next_row_ - 1 is being written
  std::uint32_t next_column_ = 0;  // next column of the open line
  std::string field_;
};

/// Finds the used range of a sheet: every recorded cell, with a value or only a style.
class RangeScanner : public SheetSink {
 public:
  void OnCell(const Cell& cell) override;
  std::optional<CellRange> range() const { return range_; }

 private:
  std::optional<CellRange> range_;
};

}  // namespace quorvex::sheet
