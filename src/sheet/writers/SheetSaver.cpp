// Saving sheets as delimited text: one streaming reading when the file's dimension holds, else two.
#include "sheet/writers/SheetSaver.h"

#include <algorithm>
#include <optional>

#include "sheet/model/SheetError.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/stream/UsedRangeBuilder.h"
#include "sheet/writers/DelimitedWriter.h"
#include "sheet/writers/OutputFile.h"

namespace quorvex::sheet {
namespace {

// Delimiters the streaming attempt may write for rows and columns that the declared dimension
// claims but no record read so far calls for; beyond it the attempt gives up, so a dimension
// far larger than the cells never costs more than this.
constexpr std::uint64_t kPaddingCredit = std::uint64_t{1} << 20;

/// Writes the sheet as it streams, on the guess that the file stores its cells in row order
/// and declares its used range truly. Answers kStop as soon as the guess fails or the padding
/// written on the dimension's word alone exceeds kPaddingCredit.
class DeclaredRangeWriter : public SheetSink {
 public:
  DeclaredRangeWriter(OutputFile& out, const numfmt::CellText& text, char delimiter, TextEncoder& encoder)
      : out_(out), text_(text), delimiter_(delimiter), encoder_(encoder) {}

  void OnDimension(const CellRange& declared) override {
    if (!writer_) writer_.emplace(out_, text_, delimiter_, declared, &encoder_);
  }
  void OnSheetDefaults(const SheetDefaults& defaults) override { used_.AddDefaults(defaults); }
  void OnColumnInfo(const ColumnInfo& columns) override { used_.AddColumns(columns); }
  void OnRowInfo(const RowInfo& row) override { used_.AddRow(row); }

  SinkControl OnCell(const Cell& cell) override {
    if (!writer_) return SinkControl::kStop;
    used_.AddCell(cell.row, cell.column);
    if (cell.row > writer_->next_row() && !Affordable(cell.row)) return SinkControl::kStop;
    return writer_->Add(cell) ? SinkControl::kContinue : SinkControl::kStop;
  }

  /// Completes the file when the lines written so far are those of the sheet's used range: it
  /// is the declared one, or differs only in its last row (files often declare rows they do
  /// not use, or leave out rows only a row record uses).
  bool Finish(const std::optional<CellRange>& used) {
    if (!writer_ || !used) return false;
    const CellRange& declared = writer_->range();
    if (used->first_row != declared.first_row || used->first_column != declared.first_column ||
        used->last_column != declared.last_column || !writer_->SetLastRow(used->last_row)) {
      return false;
    }
    writer_->Finish();
    return true;
  }

 private:
  // Counts the padding of the lines before `row`, which the writer is about to complete.
  bool Affordable(std::uint32_t row) {
    const CellRange& declared = writer_->range();
    const std::optional<CellRange> so_far = used_.Result();
    const std::uint32_t first = writer_->next_row();
    const std::uint64_t lines = row - first;
    std::uint64_t unclaimed_lines = 0;  // lines above every record so far
    std::uint64_t unclaimed_width = declared.ColumnCount();
    if (so_far) {
      unclaimed_lines =
          so_far->first_row > first ? std::min<std::uint64_t>(so_far->first_row - first, lines) : 0;
      const std::uint32_t left = std::max(so_far->first_column, declared.first_column);
      const std::uint32_t right = std::min(so_far->last_column, declared.last_column);
      unclaimed_width -= right >= left ? right - left + 1 : 0;
    }
    padding_ += unclaimed_lines * declared.ColumnCount() + (lines - unclaimed_lines) * unclaimed_width;
    return padding_ <= kPaddingCredit;
  }

  OutputFile& out_;
  const numfmt::CellText& text_;
  char delimiter_;
  TextEncoder& encoder_;
  std::optional<DelimitedWriter> writer_;
  UsedRangeBuilder used_;
  std::uint64_t padding_ = 0;
};

/// Hands cells to a writer whose range is the sheet's used range.
class RangeWriterSink : public SheetSink {
 public:
  RangeWriterSink(DelimitedWriter& writer, const std::string& part) : writer_(writer), part_(part) {}
  SinkControl OnCell(const Cell& cell) override {
    if (!writer_.Add(cell)) {
      throw SheetError(SheetErrorCode::kCorrupt, "The sheet's cells changed between two readings", part_);
    }
    return SinkControl::kContinue;
  }

 private:
  DelimitedWriter& writer_;
  const std::string& part_;
};

}  // namespace

std::size_t SaveDelimited(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                          const std::string& path, char delimiter, TextEncoding encoding) {
  OutputFile out(path);
  TextEncoder encoder(encoding);
  out.Write(encoder.Preamble());
  DeclaredRangeWriter streaming(out, text, delimiter, encoder);
  SheetScan scan(&streaming);
  reader.ReadSheet(position, scan);
  const std::optional<CellRange> used = scan.used_range();
  if (!scan.early_complete() || !streaming.Finish(used)) {
    out.Restart();
    encoder = TextEncoder(encoding);
    out.Write(encoder.Preamble());
    if (used) {
      DelimitedWriter writer(out, text, delimiter, *used, &encoder);
      RangeWriterSink sink(writer, reader.workbook().sheets[position].location);
      scan.Replay(reader, position, sink);
      writer.Finish();
    }
  }
  out.Commit();
  return encoder.replaced();
}

}  // namespace quorvex::sheet
