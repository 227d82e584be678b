// Streams an .xlsb worksheet: BrtWsDim, BrtWsFmtInfo, BrtColInfo, BrtRowHdr, every cell record
// and BrtMergeCell; unknown records are skipped.
#include "sheet/biff12/XlsbSheetReader.h"

#include <cmath>
#include <cstring>

#include "sheet/biff/BiffValues.h"
#include "sheet/biff12/RecordFields.h"
#include "sheet/biff12/XlsbRecords.h"
#include "sheet/container/LittleEndian.h"

namespace quorvex::sheet::biff12 {
namespace {

constexpr std::uint32_t kMaxRow = 1048575;
constexpr std::uint32_t kMaxColumn = 16383;
constexpr std::size_t kMaxFormulaBytes = std::size_t{16} * 1024 * 1024;

std::uint64_t CellKey(std::uint32_t row, std::uint32_t column) {
  return (std::uint64_t{row} << 16) | (column & 0xFFFF);
}

/// An RfX (MS-XLSB 2.5.154): first row, last row, first column, last column.
CellRange ReadRfx(RecordFields& fields) {
  CellRange range;
  range.first_row = fields.U32();
  range.last_row = fields.U32();
  range.first_column = fields.U32();
  range.last_column = fields.U32();
  return range;
}

CellValue ErrorValue(std::uint8_t code) {
  const std::string_view text = biff::ErrorText(code);
  return CellValue::Error(text.empty() ? "#N/A" : text);
}

}  // namespace

XlsbSheetReader::XlsbSheetReader(BinaryRecordReader& records, const container::StringTable& shared_strings,
                                 std::size_t style_count, SheetSink& sink,
                                 const std::vector<std::string>* extern_sheets,
                                 const std::vector<std::string>* names)
    : records_(records),
      shared_strings_(shared_strings),
      style_count_(style_count),
      sink_(sink),
      extern_sheets_(extern_sheets),
      names_(names) {}

bool XlsbSheetReader::Read() {
  while (!stopped_ && records_.Next()) Dispatch();
  EmitDeferred();
  return !stopped_;
}

void XlsbSheetReader::Dispatch() {
  const std::uint32_t id = records_.id();
  if (id == record::kShrFmla) {  // BrtShrFmla, MS-XLSB: RfX, then the formula's size and tokens
    ReadSharedFormula(16, shared_formulas_);
    EmitDeferred();
    return;
  }
  if (id == record::kArrFmla) {  // BrtArrFmla, MS-XLSB: RfX, flags, then the formula's size and tokens
    ReadSharedFormula(17, array_formulas_);
    EmitDeferred();
    return;
  }
  EmitDeferred();
  if (stopped_) return;
  if ((id >= record::kCellBlank && id <= record::kShortIsst) || id == record::kCellRString) {
    ReadCell();
    return;
  }
  switch (id) {
    case record::kRowHdr:
      ReadRowHeader();
      return;
    case record::kWsDim: {
      // BrtWsDim, MS-XLSB 2.4.812: first and last row, first and last column.
      RecordFields fields(records_);
      const CellRange range = ReadRfx(fields);
      if (dimension_reported_) return;
      dimension_reported_ = true;
      if (range.first_row <= range.last_row && range.last_row <= kMaxRow &&
          range.first_column <= range.last_column && range.last_column <= kMaxColumn) {
        sink_.OnDimension(range);
      }
      return;
    }
    case record::kWsFmtInfo:
      ReadFormatInfo();
      return;
    case record::kColInfo:
      ReadColumnInfo();
      return;
    case record::kMergeCell: {
      // BrtMergeCell, MS-XLSB: an RfX (first row, last row, first column, last column).
      RecordFields fields(records_);
      const CellRange range = ReadRfx(fields);
      if (range.first_row <= range.last_row && range.first_column <= range.last_column)
        sink_.OnMergedRange(range);
      return;
    }
    default:
      return;
  }
}

void XlsbSheetReader::ReadFormatInfo() {
  // BrtWsFmtInfo, MS-XLSB 2.4.859: default column width (dxGCol in 1/256 characters, or
  // 0xFFFFFFFF and then cchDefColWidth in characters), default row height in twips, then flags:
  // custom height, zero height, thick top, thick bottom.
  RecordFields fields(records_);
  const std::uint32_t width_256 = fields.U32();
  const std::uint16_t width = fields.U16();
  const std::uint16_t height = fields.U16();
  const std::uint8_t flags = fields.remaining() > 0 ? fields.U8() : 0;
  SheetDefaults defaults;
  defaults.column_width = width;
  defaults.zero_column_width = width_256 == 0xFFFFFFFF ? width == 0 : width_256 == 0;
  defaults.row_height = height / 20.0;
  defaults.zero_height = (flags & 0x02) != 0;
  defaults.thick_top = (flags & 0x04) != 0;
  defaults.thick_bottom = (flags & 0x08) != 0;
  sink_.OnSheetDefaults(defaults);
}

void XlsbSheetReader::ReadRowHeader() {
  // BrtRowHdr, MS-XLSB 2.4.718: row, style, height in twips, then flags: thick top and bottom
  // (first byte), outline level, collapsed, hidden, custom height, custom format (second byte).
  RecordFields fields(records_);
  const std::uint32_t row = fields.U32();
  if (row > kMaxRow) records_.Fail("a row number lies outside the sheet");
  row_ = row;
  next_column_ = 0;
  const std::uint32_t style = fields.U32() & 0x00FFFFFF;
  RowInfo info;
  info.row = row;
  info.height = (fields.U16() & 0x7FFF) / 20.0;
  const std::uint8_t borders = fields.U8();
  const std::uint8_t flags = fields.U8();
  info.thick_top = (borders & 0x01) != 0;
  info.thick_bottom = (borders & 0x02) != 0;
  info.outline_level = static_cast<std::uint8_t>(flags & 0x07);
  info.collapsed = (flags & 0x08) != 0;
  info.hidden = (flags & 0x10) != 0;
  info.custom_height = (flags & 0x20) != 0;
  if ((flags & 0x40) != 0) {
    info.style = style < style_count_ ? style : 0;
    info.styled = *info.style != 0;
  }
  sink_.OnRowInfo(info);
}

void XlsbSheetReader::ReadColumnInfo() {
  // BrtColInfo, MS-XLSB: columns, width in 1/256 characters, style, flags.
  RecordFields fields(records_);
  ColumnInfo info;
  info.first_column = fields.U32();
  info.last_column = fields.U32();
  if (info.first_column > info.last_column || info.last_column > kMaxColumn) return;
  info.to_sheet_end = info.last_column == kMaxColumn;
  info.width = fields.U32() / 256.0;
  const std::uint32_t style = fields.U32();
  info.style = style < style_count_ ? style : 0;
  info.styled = info.style != 0;
  info.hidden = (fields.U16() & 0x01) != 0;
  sink_.OnColumnInfo(info);
}

void XlsbSheetReader::ReadCell() {
  // Every cell record starts with a Cell (MS-XLSB): column and 24-bit style index.
  // The compact forms leave the column out: it is the one after the previous cell's.
  RecordFields fields(records_);
  const std::uint32_t id = records_.id();
  const bool compact = id >= record::kShortBlank && id <= record::kShortIsst;
  const std::uint32_t column = compact ? next_column_ : fields.U32();
  if (column > kMaxColumn) records_.Fail("a cell's column lies outside the sheet");
  next_column_ = column + 1;
  std::uint32_t style = fields.U32() & 0x00FFFFFF;
  if (style >= style_count_) style = 0;
  switch (compact ? id - record::kShortBlank + record::kCellBlank : id) {
    case record::kCellBlank:
      Emit(column, style, CellValue{});
      return;
    case record::kCellRk:
      Emit(column, style, CellValue::Number(biff::DecodeRk(fields.U32())));
      return;
    case record::kCellError:
    case record::kFmlaError: {
      const CellValue value = ErrorValue(fields.U8());
      ReadFormula(fields, column);
      Emit(column, style, value);
      return;
    }
    case record::kCellBool:
    case record::kFmlaBool: {
      const CellValue value = CellValue::Boolean(fields.U8() != 0);
      ReadFormula(fields, column);
      Emit(column, style, value);
      return;
    }
    case record::kCellReal:
    case record::kFmlaNum: {
      const double number = fields.Double();
      ReadFormula(fields, column);
      Emit(column, style, std::isfinite(number) ? CellValue::Number(number) : ErrorValue(0x24));
      return;
    }
    case record::kCellSt:
    case record::kFmlaString:
      text_.clear();
      fields.WideString(text_);
      ReadFormula(fields, column);
      Emit(column, style, CellValue::String(text_));
      return;
    case record::kCellRString:
      fields.U8();  // rich-text and phonetic flags: the runs after the text are not needed
      text_.clear();
      fields.WideString(text_);
      Emit(column, style, CellValue::String(text_));
      return;
    case record::kCellIsst: {
      const std::uint32_t index = fields.U32();
      if (index >= shared_strings_.size()) {
        records_.Fail("a cell refers to shared string " + std::to_string(index) + ", but the workbook has " +
                      std::to_string(shared_strings_.size()));
      }
      Emit(column, style, CellValue::String(shared_strings_[index]));
      return;
    }
    default:
      return;
  }
}

void XlsbSheetReader::ReadFormula(RecordFields& fields, std::uint32_t column) {
  // BrtFmla*: after the value, grbitFlags (2 bytes) and a CellParsedFormula (cce, rgce, extra
  // data). A formula that cannot be read leaves the text empty; the cached value still counts.
  formula_.clear();
  const std::uint32_t id = records_.id();
  if (id < record::kFmlaString || id > record::kFmlaError || fields.remaining() < 6) return;
  fields.Skip(2);
  const std::uint32_t size = fields.U32();
  const std::string_view rgce = fields.Peek(size);
  if (rgce.size() != size || size == 0) return;
  if (size == 5 && rgce[0] == 0x01) {
    // PtgExp (MS-XLSB 2.5.98.40): the base cell's row; its column is the PtgExtraCol in the
    // extra data after the tokens (a 32-bit size, then the column).
    fields.Skip(size);
    if (fields.remaining() < 8) return;
    fields.U32();
    const std::uint32_t base_row = container::ReadU32(rgce.data() + 1);
    const std::uint32_t base_column = fields.U32();
    if (!ResolveSharedFormula(base_row, base_column, column) && base_row == row_ && base_column == column) {
      defer_ = true;  // its tokens come in the next record
    }
    return;
  }
  FormulaContext context;
  context.row = row_;
  context.column = column;
  context.extern_sheets = extern_sheets_;
  context.names = names_;
  decompiler_.Decompile(rgce, context, formula_);
}

void XlsbSheetReader::ReadSharedFormula(std::size_t header,
                                        std::unordered_map<std::uint64_t, std::string>& formulas) {
  RecordFields fields(records_);
  if (fields.remaining() < header + 4) return;
  const std::uint32_t first_row = fields.U32();
  fields.Skip(4);
  const std::uint32_t first_column = fields.U32();
  fields.Skip(header - 12);
  const std::uint32_t size = fields.U32();
  const std::string_view rgce = fields.Peek(size);
  if (rgce.size() != size || size == 0 || formula_bytes_ + size > kMaxFormulaBytes) return;
  formula_bytes_ += size;
  formulas[CellKey(first_row, first_column)].assign(rgce);
}

bool XlsbSheetReader::ResolveSharedFormula(std::uint32_t base_row, std::uint32_t base_column,
                                           std::uint32_t column) {
  const std::uint64_t base = CellKey(base_row, base_column);
  std::string_view tokens;
  if (const auto array = array_formulas_.find(base); array != array_formulas_.end()) {
    // An array formula's text belongs to its first cell only, as in .xlsx.
    if (base_row != row_ || base_column != column) return true;
    tokens = array->second;
  } else if (const auto shared = shared_formulas_.find(base); shared != shared_formulas_.end()) {
    tokens = shared->second;
  } else {
    return false;
  }
  FormulaContext context;
  context.row = row_;
  context.column = column;
  context.extern_sheets = extern_sheets_;
  context.names = names_;
  decompiler_.Decompile(tokens, context, formula_);
  return true;
}

void XlsbSheetReader::EmitDeferred() {
  if (!deferred_) return;
  deferred_ = false;
  ResolveSharedFormula(deferred_cell_.row, deferred_cell_.column, deferred_cell_.column);
  deferred_cell_.formula = formula_;
  if (sink_.OnCell(deferred_cell_) == SinkControl::kStop) stopped_ = true;
  formula_.clear();
}

void XlsbSheetReader::Emit(std::uint32_t column, std::uint32_t style, CellValue value) {
  Cell cell;
  cell.formula = formula_;
  cell.row = row_;
  cell.column = column;
  cell.style = style;
  cell.value = value;
  if (defer_) {
    defer_ = false;
    deferred_ = true;
    deferred_cell_ = cell;
    if (value.kind == CellKind::kString || value.kind == CellKind::kError) {
      deferred_text_.assign(value.text);
      deferred_cell_.value.text = deferred_text_;
    }
    return;
  }
  if (sink_.OnCell(cell) == SinkControl::kStop) stopped_ = true;
  formula_.clear();  // the text belongs to this cell only
}

}  // namespace quorvex::sheet::biff12
