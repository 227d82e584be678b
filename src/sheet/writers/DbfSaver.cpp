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
#include "sheet/writers/DbfFieldInference.h"
#include "sheet/writers/DbfFieldNames.h"
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

/// The first pass: header texts, what each column holds, the characters beyond ASCII (unless
/// the text is UTF-8), and, when fitting, the fitted width of each column.
class TableScanner : public SheetSink {
 public:
  TableScanner(const CellRange& range, const numfmt::CellText& text, bool date1904, bool fit_columns,
               bool utf8)
      : range_(range),
        text_(text),
        date1904_(date1904),
        fit_columns_(fit_columns),
        utf8_(utf8),
        headers_(range.ColumnCount()),
        profiles_(range.ColumnCount()),
        characters_(range.ColumnCount()),
        fitted_(range.ColumnCount()) {}

  SinkControl OnCell(const Cell& cell) override {
    if (cell.column < range_.first_column || cell.column > range_.last_column) return SinkControl::kContinue;
    const std::size_t index = cell.column - range_.first_column;
    if (!range_.Contains(cell.row, cell.column)) {
      // Rows outside the range still widen a fitted column.
      if (fit_columns_ && cell.value.kind != CellKind::kEmpty) {
        shown_.clear();
        text_.Append(cell.value, cell.style, shown_);
        if (!numfmt::IsUnshowable(shown_)) Fit(index, shown_);
      }
      return SinkControl::kContinue;
    }
    if (cell.row == range_.first_row) {
      if (cell.value.kind != CellKind::kEmpty) headers_[index] = text_.Render(cell.value, cell.style);
      Fit(index, headers_[index]);
      return SinkControl::kContinue;
    }
    DbfCell& value = cell_;
    ClassifyDbfCell(cell.value, cell.style, text_, date1904_, DbfCellText::kRender, value);
    if (!value.unshowable) Fit(index, value.text);
    profiles_[index].Observe(value, cell.row,
                             utf8_ ? DbfTextMeasure::kUtf8Bytes : DbfTextMeasure::kCharacters);
    const bool ascii = utf8_ || IsAscii(value.text);
    for (std::size_t position = 0; !ascii && position < value.text.size();) {
      const char32_t c = NextCodePoint(value.text, position);
      if (c >= 0x80) characters_[index].insert(c);
    }
    return SinkControl::kContinue;
  }

  const std::vector<std::string>& headers() const { return headers_; }
  const std::vector<DbfColumnProfile>& profiles() const { return profiles_; }
  const std::vector<std::set<char32_t>>& characters() const { return characters_; }
  /// The fitted width of each column of the range; 0 when not fitting.
  const std::vector<int>& fitted() const { return fitted_; }

 private:
  void Fit(std::size_t index, std::string_view shown) {
    if (fit_columns_) fitted_[index] = std::max(fitted_[index], FittedWidth(shown));
  }

  CellRange range_;
  const numfmt::CellText& text_;
  bool date1904_;
  bool fit_columns_;
  bool utf8_;
  std::vector<std::string> headers_;
  std::vector<DbfColumnProfile> profiles_;
  std::vector<std::set<char32_t>> characters_;
  std::vector<int> fitted_;
  std::string shown_;
  DbfCell cell_;  // the cell being taken in, its text's storage kept for the next
};

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
const DbfCodePage* ChooseCodePage(const TableScanner& scanner, const std::vector<DbfField>& fields,
                                  DbfVersion version) {
  if (version == DbfVersion::kDbase2) return nullptr;
  std::set<char32_t> characters;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].type != DbfType::kCharacter) continue;
    characters.insert(scanner.characters()[i].begin(), scanner.characters()[i].end());
  }
  const DbfCodePage* page = ChooseDbfCodePage(characters);
  return page != nullptr ? page : &ClosestDbfCodePage(characters);
}

/// The fields of the table, checked against what the version allows.
std::vector<DbfField> MakeFields(const TableScanner& scanner, const DbfSaveRequest& request,
                                 const CellRange& range, const std::string& sheet) {
  const DbfLimits limits = LimitsOf(request.version);
  const std::vector<std::string> names = MakeDbfFieldNames(scanner.headers());
  std::vector<DbfField> fields;
  int record_length = 1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::uint32_t column = range.first_column + static_cast<std::uint32_t>(i);
    const auto width = request.column_widths.find(column);
    const int fitted =
        std::max(width == request.column_widths.end() ? 0 : width->second, scanner.fitted()[i]);
    const DbfColumnProfile& profile = scanner.profiles()[i];
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
                      const DbfSaveRequest& request, const std::string& path, SheetScan* kept) {
  const Workbook& workbook = reader.workbook();
  const std::string& sheet = workbook.sheets.at(position).name;
  // The one reading finds the used range and the cell order, settles the fields on the way when
  // the range to save is known already, and keeps the cells in a temporary file: the header
  // needs the fields and the record count before any record is written.
  std::optional<TableScanner> early;
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

  if (!early || !scan.in_order()) {
    // Fields from the cells kept, in row order, each place once.
    early.emplace(range, text, workbook.date1904, request.fit_columns, request.utf8);
    scan.Replay(*early);
  }
  const TableScanner& scanner = *early;
  std::vector<DbfField> fields = MakeFields(scanner, request, range, sheet);
  // A UTF-8 table names its encoding in the .cpg file rather than by a language driver.
  const DbfCodePage* code_page = request.utf8 ? nullptr : ChooseCodePage(scanner, fields, request.version);
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
