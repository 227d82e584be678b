// Saves a range of one sheet as a dBASE table, the way a spreadsheet application does.
#include "sheet/writers/DbfSaver.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Utf8Path.h"
#include "sheet/model/SheetError.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/writers/DbfCodePage.h"
#include "sheet/writers/DbfEarlyTableScanner.h"
#include "sheet/writers/DbfFieldInference.h"
#include "sheet/writers/DbfFieldNames.h"
#include "sheet/writers/DbfTableScanner.h"
#include "sheet/writers/DbfTableWriter.h"
#include "sheet/writers/OutputFile.h"

namespace quorvex::sheet {

namespace {

const char* VersionName(DbfVersion version) {
  switch (version) {
    case DbfVersion::kDbase2:
      return "dBASE II";
    case DbfVersion::kDbase3:
      return "dBASE III";
    case DbfVersion::kDbase4:
      break;
  }
  return "dBASE IV";
}

std::string ColumnName(std::uint32_t column) {
  std::string letters;
  for (std::uint64_t n = std::uint64_t{column} + 1; n > 0; n = (n - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return letters;
}

/// "B7 (row 7, column 2)" for the 0-based cell (6, 1).
std::string CellName(std::uint32_t row, std::uint32_t column) {
  return ColumnName(column) + std::to_string(std::uint64_t{row} + 1) + " (row " +
         std::to_string(std::uint64_t{row} + 1) + ", column " + std::to_string(std::uint64_t{column} + 1) +
         ")";
}

[[noreturn]] void Fail(const std::string& sentence) {
  throw SheetError(SheetErrorCode::kUnsupported, sentence);
}

/// How character fields are encoded: UTF-8 as it is, a Windows code page, or ASCII (dBASE II);
/// the last two with '?' for what they cannot hold, counted.
class FieldEncoder {
 public:
  FieldEncoder(bool utf8, const DbfCodePage* code_page) : utf8_(utf8), code_page_(code_page) {}

  /// `text` in the table's encoding: `text` itself when that needs no change (UTF-8, or ASCII
  /// in any encoding), else the encoded text, put in `scratch`.
  std::string_view Encode(std::string_view text, std::string& scratch) {
    if (utf8_ || IsAscii(text)) return text;
    scratch.clear();
    if (code_page_ != nullptr) {
      replaced_ += code_page_->EncodeReplacing(text, scratch);
      return scratch;
    }
    for (std::size_t position = 0; position < text.size();) {
      const char32_t c = NextCodePoint(text, position);
      replaced_ += c < 0x80 ? 0 : 1;
      scratch.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return scratch;
  }
  std::size_t replaced() const { return replaced_; }
  std::string Name() const {
    if (utf8_) return "UTF-8";
    return code_page_ != nullptr ? "Windows-" + std::to_string(code_page_->number) : "ASCII";
  }

 private:
  bool utf8_;
  const DbfCodePage* code_page_;
  std::size_t replaced_ = 0;
};

/// The second pass: one record per data row of the range, empty rows included. Cells come in
/// row order, each place once.
class RecordSink : public SheetSink {
 public:
  RecordSink(const CellRange& range, const numfmt::CellText& text, bool date1904, DbfTableWriter& table,
             FieldEncoder& encoder, OutputStream& out)
      : range_(range),
        text_(text),
        date1904_(date1904),
        table_(table),
        encoder_(encoder),
        out_(out),
        next_row_(range.first_row + 1) {}

  SinkControl OnCell(const Cell& cell) override {
    if (!range_.Contains(cell.row, cell.column) || cell.row == range_.first_row)
      return SinkControl::kContinue;
    if (!open_ || cell.row != open_row_) {
      CloseRecord();
      WriteBlankRecordsBefore(cell.row);
      table_.BeginRecord();
      open_ = true;
      open_row_ = cell.row;
      next_row_ = cell.row + 1;
    }
    const std::size_t index = cell.column - range_.first_column;
    const DbfField& field = table_.fields()[index];
    // Only character fields store the displayed text; the others store the value.
    DbfCell& value = cell_;
    ClassifyDbfCell(cell.value, cell.style, text_, date1904_,
                    field.type == DbfType::kCharacter ? DbfCellText::kRender : DbfCellText::kSkip, value);
    if (value.kind == DbfCell::Kind::kEmpty) return SinkControl::kContinue;
    switch (field.type) {
      case DbfType::kCharacter:
        // The first pass made the field as wide as the encoded text.
        if (value.unshowable) {
          encoded_.assign(static_cast<std::size_t>(field.width), '#');
          table_.SetField(index, encoded_);
        } else {
          table_.SetField(index, encoder_.Encode(value.text, encoded_));
        }
        break;
      case DbfType::kNumeric:
        table_.SetField(index, FormatDbfNumber(value.number, field.decimals));
        break;
      case DbfType::kDate:
        table_.SetField(index, DbfDateDigits(value.number));
        break;
      case DbfType::kLogical:
        table_.SetField(index, value.number != 0 ? "T" : "F");
        break;
    }
    return SinkControl::kContinue;
  }

  void Finish() {
    CloseRecord();
    WriteBlankRecordsBefore(range_.last_row + 1);
  }

 private:
  void CloseRecord() {
    if (!open_) return;
    out_.Write(table_.record());
    open_ = false;
  }

  // Rows without cells still get a record, with every field blank.
  void WriteBlankRecordsBefore(std::uint32_t row) {
    for (; next_row_ < row; ++next_row_) {
      table_.BeginRecord();
      out_.Write(table_.record());
    }
  }

  CellRange range_;
  const numfmt::CellText& text_;
  bool date1904_;
  DbfTableWriter& table_;
  FieldEncoder& encoder_;
  OutputStream& out_;
  std::uint32_t next_row_;  // the first row neither written nor open
  bool open_ = false;
  std::uint32_t open_row_ = 0;
  DbfCell cell_;         // the cell being written, its text's storage kept for the next
  std::string encoded_;  // a character field's text when the table's encoding changes it
};

/// The code page for the text of the character fields: the first that holds all of it, else
/// the one holding the most of its characters; nullptr for dBASE II, which records none.
const DbfCodePage* ChooseCodePage(const std::vector<DbfColumnScan>& columns,
                                  const std::vector<DbfField>& fields, DbfVersion version) {
  if (version == DbfVersion::kDbase2) return nullptr;
  std::set<char32_t> characters;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].type != DbfType::kCharacter) continue;
    characters.insert(columns[i].characters.begin(), columns[i].characters.end());
  }
  const DbfCodePage* page = ChooseDbfCodePage(characters);
  return page != nullptr ? page : &ClosestDbfCodePage(characters);
}

/// The fields of the table, checked against what the version allows.
std::vector<DbfField> MakeFields(const std::vector<DbfColumnScan>& columns, const DbfSaveRequest& request,
                                 const CellRange& range, const std::string& sheet) {
  const DbfLimits limits = LimitsOf(request.version);
  std::vector<std::string> headers;
  headers.reserve(columns.size());
  for (const DbfColumnScan& column : columns) headers.push_back(column.header);
  const std::vector<std::string> names = MakeDbfFieldNames(headers);
  std::vector<DbfField> fields;
  int record_length = 1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::uint32_t column = range.first_column + static_cast<std::uint32_t>(i);
    const auto width = request.column_widths.find(column);
    const int fitted = std::max(width == request.column_widths.end() ? 0 : width->second, columns[i].fitted);
    const DbfColumnProfile& profile = columns[i].profile;
    DbfField field = profile.Infer(names[i], fitted, request.version);
    if (field.width > limits.max_character_width) {
      const std::string length = std::to_string(profile.longest_text());
      Fail("cell " + CellName(profile.longest_text_row(), column) + " of the sheet \"" + sheet + "\" " +
           (request.utf8 ? "needs " + length + " bytes in UTF-8" : "shows " + length + " characters") +
           "; a " + VersionName(request.version) + " character field holds at most " +
           std::to_string(limits.max_character_width) + (request.utf8 ? " bytes" : ""));
    }
    record_length += field.width;
    fields.push_back(std::move(field));
  }
  if (record_length > limits.max_record_length) {
    Fail("the " + std::to_string(fields.size()) + " columns of the sheet \"" + sheet + "\" need records of " +
         std::to_string(record_length) + " bytes; a " + VersionName(request.version) +
         " table allows at most " + std::to_string(limits.max_record_length));
  }
  return fields;
}

}  // namespace

DbfSaveResult SaveDbf(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                      const DbfSaveRequest& request, const std::string& path, SheetScan* kept,
                      DbfEarlyTableScanner* first_pass) {
  const Workbook& workbook = reader.workbook();
  const std::string& sheet = workbook.sheets.at(position).name;
  // The one reading finds the used range and the cell order, settles the fields on the way when
  // the range to save is known already, and keeps the cells in a temporary file: the header
  // needs the fields and the record count before any record is written.
  std::optional<DbfTableScanner> early;
  std::optional<SheetScan> own_scan;
  if (kept == nullptr) {
    if (request.range) {
      early.emplace(*request.range, text, workbook.date1904, request.fit_columns, request.utf8);
    }
    own_scan.emplace(early ? &*early : nullptr, CellKeeping::kAll);
    reader.ReadSheet(position, *own_scan);
  }
  SheetScan& scan = kept != nullptr ? *kept : *own_scan;
  const CellRange range = request.range.value_or(scan.used_range().value_or(CellRange{}));
  const DbfLimits limits = LimitsOf(request.version);
  if (range.ColumnCount() > static_cast<std::uint32_t>(limits.max_fields)) {
    Fail("the sheet \"" + sheet + "\" has " + std::to_string(range.ColumnCount()) + " columns to save; a " +
         VersionName(request.version) + " table holds at most " + std::to_string(limits.max_fields) +
         " fields");
  }
  const std::uint32_t records = range.RowCount() - 1;
  if (request.version == DbfVersion::kDbase2 && records > 0xFFFF) {
    Fail("the sheet \"" + sheet + "\" has " + std::to_string(records) +
         " rows of data; a dBASE II table holds at most 65535 records");
  }

  std::optional<std::vector<DbfColumnScan>> columns;
  if (scan.in_order()) {
    if (early) columns = early->TakeColumns();
    if (kept != nullptr && first_pass != nullptr) {
      columns = first_pass->TakeColumns(range, request.fit_columns, request.utf8);
    }
  }
  if (!columns) {
    // Fields from the cells kept, in row order, each place once.
    DbfTableScanner scanner(range, text, workbook.date1904, request.fit_columns, request.utf8);
    scan.Replay(scanner);
    columns = scanner.TakeColumns();
  }
  std::vector<DbfField> fields = MakeFields(*columns, request, range, sheet);
  // A UTF-8 table names its encoding in the .cpg file rather than by a language driver.
  const DbfCodePage* code_page = request.utf8 ? nullptr : ChooseCodePage(*columns, fields, request.version);
  DbfTableWriter table(request.version, std::move(fields),
                       code_page != nullptr ? code_page->language_driver : 0);

  OutputFile out(path);
  out.Write(table.Header(records, request.today));
  FieldEncoder encoder(request.utf8, code_page);
  RecordSink sink(range, text, workbook.date1904, table, encoder, out);
  scan.Replay(sink);
  sink.Finish();
  out.Write(std::string_view(&DbfTableWriter::kEndOfFile, 1));
  out.Commit();
  if (request.utf8) {
    OutputFile cpg(path.substr(0, path.size() - platform::ExtensionOf(path).size()) + ".cpg");
    cpg.Write("UTF-8");
    cpg.Commit();
  }
  return {encoder.replaced(), encoder.Name()};
}

}  // namespace quorvex::sheet
