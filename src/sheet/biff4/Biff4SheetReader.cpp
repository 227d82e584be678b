// The cell, size and dimension records of BIFF2, BIFF3 and BIFF4 worksheets.
#include "sheet/biff4/Biff4SheetReader.h"

#include <algorithm>
#include <cmath>

#include "sheet/biff/BiffValues.h"
#include "sheet/biff/DefaultRowHeight.h"
#include "sheet/biff4/Biff4Records.h"
#include "sheet/container/LittleEndian.h"

namespace quorvex::sheet::biff4 {
namespace {

using container::ReadU16;
using container::ReadU32;

constexpr std::uint16_t kIxfeMarker = 0x3F;  // a BIFF2 cell whose XF index is in the IXFE record
// XFs 0 to 15 are the style XFs and the default cell XF; a row or column formatted with one of
// them looks like any other.
constexpr std::uint16_t kDefaultCellXf = 15;
// A COLINFO reaching the last column formats the whole sheet rather than some columns.
constexpr std::uint32_t kSheetEndColumn = 255;

}  // namespace

Biff4SheetReader::Biff4SheetReader(biff::BiffRecordReader& records, const SheetStyles& styles,
                                   const biff::CodePage& code_page, SheetSink& sink)
    : records_(records), styles_(styles), code_page_(code_page), sink_(sink) {}

void Biff4SheetReader::Require(std::size_t size, const char* what) const {
  if (records_.data().size() < size) records_.Fail(std::string("a ") + what + " record is too short");
}

bool Biff4SheetReader::Read() {
  if (!records_.Next() || !IsBof(records_.id()))
    records_.Fail("the sheet's position does not hold a BOF record");
  // The walk still passes the records after a stop; sheets of these versions are small.
  ForEachRecordOfSubstream(records_, [this] {
    if (!stopped_) Dispatch();
  });
  EmitPending();
  ReportDefaults();
  return !stopped_;
}

std::uint32_t Biff4SheetReader::Biff2Style() const {
  const char* data = records_.data().data();
  if (styles_.xf_count == 0) return styles_.ForFormat(static_cast<unsigned char>(data[5]) & 0x3F);
  const std::uint16_t xf = static_cast<unsigned char>(data[4]) & 0x3F;
  return styles_.ForXf(xf == kIxfeMarker ? ixfe_ : xf);
}

std::uint32_t Biff4SheetReader::Style() const {
  return styles_.ForXf(ReadU16(records_.data().data() + 4));
}

void Biff4SheetReader::Dispatch() {
  const std::uint16_t id = records_.id();
  if (id != record::kString && id != record::kString2) EmitPending();  // its STRING did not come
  switch (id) {
    case record::kDimensions2:
    case record::kDimensions:
      ReadDimensions();
      return;
    case record::kRow2:
    case record::kRow:
      ReadRow();
      return;
    case record::kColWidth2:
    case record::kColInfo:
      ReadColumns();
      return;
    case record::kDefColWidth:
    case record::kDefaultRowHeight2:
    case record::kDefaultRowHeight:
      ReadDefault(id);
      return;
    case record::kIxfe2:
      Require(2, "IXFE");
      ixfe_ = ReadU16(records_.data().data());
      return;
    case record::kBlank2:
    case record::kInteger2:
    case record::kNumber2:
    case record::kBoolErr2:
    case record::kLabel2:
    case record::kFormula2:
    case record::kString2:
      ReadBiff2Cell(id);
      return;
    case record::kBlank:
    case record::kNumber:
    case record::kRk:
    case record::kBoolErr:
    case record::kLabel:
    case record::kFormula3:
    case record::kFormula4:
    case record::kString:
      ReadCell(id);
      return;
    default:
      return;  // records that carry nothing a converted sheet shows
  }
}

void Biff4SheetReader::ReadDefault(std::uint16_t id) {
  const char* data = records_.data().data();
  switch (id) {
    case record::kDefColWidth:
      Require(2, "DEFCOLWIDTH");
      defaults_.column_width = ReadU16(data);
      defaults_.zero_column_width = defaults_.column_width == 0;
      break;
    case record::kDefaultRowHeight2:
      Require(2, "DEFAULTROWHEIGHT");
      defaults_.row_height = (ReadU16(data) & 0x7FFF) / 20.0;
      break;
    default:  // kDefaultRowHeight, as in later versions
      Require(4, "DEFAULTROWHEIGHT");
      biff::ReadDefaultRowHeight(data, defaults_);
      break;
  }
  have_defaults_ = true;
}

void Biff4SheetReader::ReadBiff2Cell(std::uint16_t id) {
  const char* data = records_.data().data();
  switch (id) {
    case record::kBlank2:
      Require(7, "BLANK");
      Emit(CellValue{}, Biff2Style());
      return;
    case record::kInteger2:
      Require(9, "INTEGER");
      Emit(CellValue::Number(ReadU16(data + 7)), Biff2Style());
      return;
    case record::kNumber2:
      Require(15, "NUMBER");
      Emit(CellValue::Number(biff::ReadDouble(data + 7)), Biff2Style());
      return;
    case record::kBoolErr2:
      Require(9, "BOOLERR");
      Emit(data[8] == 0 ? CellValue::Boolean(data[7] != 0) : CellValue::Error(biff::ErrorText(data[7])),
           Biff2Style());
      return;
    case record::kLabel2:
      Require(8, "LABEL");
      ReadLabel(7, 1, Biff2Style());
      return;
    case record::kFormula2:
      Require(17, "FORMULA");
      ReadFormula(7, Biff2Style());
      return;
    default:  // kString2
      ReadFormulaString(1);
      return;
  }
}

void Biff4SheetReader::ReadCell(std::uint16_t id) {
  const char* data = records_.data().data();
  switch (id) {
    case record::kBlank:
      Require(6, "BLANK");
      Emit(CellValue{}, Style());
      return;
    case record::kNumber:
      Require(14, "NUMBER");
      Emit(CellValue::Number(biff::ReadDouble(data + 6)), Style());
      return;
    case record::kRk:
      Require(10, "RK");
      Emit(CellValue::Number(biff::DecodeRk(ReadU32(data + 6))), Style());
      return;
    case record::kBoolErr:
      Require(8, "BOOLERR");
      Emit(data[7] == 0 ? CellValue::Boolean(data[6] != 0) : CellValue::Error(biff::ErrorText(data[6])),
           Style());
      return;
    case record::kLabel:
      Require(8, "LABEL");
      ReadLabel(6, 2, Style());
      return;
    case record::kFormula3:
    case record::kFormula4:
      Require(18, "FORMULA");
      ReadFormula(6, Style());
      return;
    default:  // kString
      ReadFormulaString(2);
      return;
  }
}

void Biff4SheetReader::ReadDimensions() {
  // DIMENSIONS: first row, last row + 1, first column, last column + 1.
  Require(8, "DIMENSIONS");
  const char* data = records_.data().data();
  if (dimension_reported_) return;
  dimension_reported_ = true;
  ReportDefaults();
  const std::uint32_t first_row = ReadU16(data);
  const std::uint32_t end_row = ReadU16(data + 2);
  const std::uint32_t first_column = ReadU16(data + 4);
  const std::uint32_t end_column = ReadU16(data + 6);
  CellRange range;  // an empty sheet states A1, as other formats do
  if (end_row > first_row && end_column > first_column)
    range = {first_row, first_column, end_row - 1, end_column - 1};
  sink_.OnDimension(range);
}

void Biff4SheetReader::ReadRow() {
  // ROW: row, first and last column, height in twips (bit 15 set: the default height). BIFF3 and
  // BIFF4 add flags (outline level 0x07, collapsed 0x10, hidden 0x20, custom height 0x40,
  // formatted 0x80) and the row's XF index.
  Require(8, "ROW");
  const char* data = records_.data().data();
  RowInfo info;
  info.row = ReadU16(data);
  const std::uint16_t height = ReadU16(data + 6);
  info.height = (height & 0x7FFF) / 20.0;
  if (records_.id() == record::kRow && records_.data().size() >= 16) {
    const std::uint16_t flags = ReadU16(data + 12);
    info.outline_level = static_cast<std::uint8_t>(flags & 0x07);
    info.collapsed = (flags & 0x10) != 0;
    info.hidden = (flags & 0x20) != 0;
    info.custom_height = (flags & 0x40) != 0;
    if ((flags & 0x80) != 0) {
      const std::uint16_t xf = ReadU16(data + 14) & 0x0FFF;
      info.style = styles_.ForXf(xf);
      info.styled = xf > kDefaultCellXf;
    }
  } else {
    info.custom_height = (height & 0x8000) == 0;
  }
  sink_.OnRowInfo(info);
}

void Biff4SheetReader::ReadColumns() {
  // COLWIDTH (BIFF2): first and last column in one byte each, width in 1/256 characters.
  // COLINFO (BIFF3, BIFF4): first and last column, width, XF index, flags (hidden 0x01).
  const char* data = records_.data().data();
  ColumnInfo info;
  if (records_.id() == record::kColWidth2) {
    Require(4, "COLWIDTH");
    info.first_column = static_cast<unsigned char>(data[0]);
    info.last_column = static_cast<unsigned char>(data[1]);
    info.width = ReadU16(data + 2) / 256.0;
  } else {
    Require(10, "COLINFO");
    info.first_column = ReadU16(data);
    info.last_column = std::min<std::uint32_t>(ReadU16(data + 2), 255);
    info.width = ReadU16(data + 4) / 256.0;
    const std::uint16_t xf = ReadU16(data + 6);
    info.style = styles_.ForXf(xf);
    info.styled = xf > kDefaultCellXf;
    info.hidden = (ReadU16(data + 8) & 0x01) != 0;
    info.to_sheet_end = ReadU16(data + 2) >= kSheetEndColumn;
  }
  if (info.first_column <= info.last_column) sink_.OnColumnInfo(info);
}

void Biff4SheetReader::ReadLabel(std::size_t length_at, std::size_t length_size, std::uint32_t style) {
  // LABEL: the cell's text as a byte string in the workbook's code page.
  const std::string_view data = records_.data();
  const std::size_t length =
      length_size == 1 ? static_cast<unsigned char>(data[length_at]) : ReadU16(data.data() + length_at);
  if (data.size() < length_at + length_size + length)
    records_.Fail("a text cell's characters run past its record");
  text_.clear();
  code_page_.Append(data.substr(length_at + length_size, length), text_);
  Emit(CellValue::String(text_), style);
}

void Biff4SheetReader::ReadFormula(std::size_t result_at, std::uint32_t style) {
  // FORMULA: the cached result in 8 bytes; 0xFFFF in the last two marks a non-number whose type
  // is in the first byte (0 text in a STRING record that follows, 1 boolean, 2 error, 3 empty).
  const char* result = records_.data().data() + result_at;
  if (ReadU16(result + 6) != 0xFFFF) {
    const double number = biff::ReadDouble(result);
    Emit(std::isfinite(number) ? CellValue::Number(number) : CellValue::Error("#NUM!"), style);
    return;
  }
  switch (static_cast<std::uint8_t>(result[0])) {
    case 0:
      pending_ = Cell{};
      pending_.row = ReadU16(records_.data().data());
      pending_.column = ReadU16(records_.data().data() + 2);
      pending_.style = style;
      pending_.value = CellValue::String({});
      awaiting_string_ = true;
      return;
    case 1:
      Emit(CellValue::Boolean(result[2] != 0), style);
      return;
    case 2:
      Emit(CellValue::Error(biff::ErrorText(static_cast<std::uint8_t>(result[2]))), style);
      return;
    default:
      Emit(CellValue::String({}), style);
      return;
  }
}

void Biff4SheetReader::ReadFormulaString(std::size_t length_size) {
  // STRING: the text result of the formula before it, a byte string with an 8-bit (BIFF2) or
  // 16-bit length.
  if (!awaiting_string_) return;
  const std::string_view data = records_.data();
  Require(length_size, "STRING");
  const std::size_t length = length_size == 1 ? static_cast<unsigned char>(data[0]) : ReadU16(data.data());
  if (data.size() < length_size + length) records_.Fail("a formula's text result runs past its record");
  text_.clear();
  code_page_.Append(data.substr(length_size, length), text_);
  pending_.value = CellValue::String(text_);
  EmitPending();
}

void Biff4SheetReader::ReportDefaults() {
  if (defaults_reported_ || !have_defaults_) return;
  defaults_reported_ = true;
  sink_.OnSheetDefaults(defaults_);
}

void Biff4SheetReader::Emit(CellValue value, std::uint32_t style) {
  if (value.kind == CellKind::kError && value.text.empty()) value.text = "#N/A";
  Cell cell;
  cell.row = ReadU16(records_.data().data());
  cell.column = ReadU16(records_.data().data() + 2);
  cell.style = style;
  cell.value = value;
  if (sink_.OnCell(cell) == SinkControl::kStop) stopped_ = true;
}

void Biff4SheetReader::EmitPending() {
  if (!awaiting_string_) return;
  awaiting_string_ = false;
  if (!stopped_ && sink_.OnCell(pending_) == SinkControl::kStop) stopped_ = true;
}

}  // namespace quorvex::sheet::biff4
