// Streams a worksheet substream: dimensions, sizes, merges and every cell record type.
#include "sheet/biff8/SheetStreamReader.h"

#include <algorithm>
#include <cmath>

#include "sheet/biff/BiffValues.h"
#include "sheet/biff/DefaultRowHeight.h"
#include "sheet/biff8/BiffRecords.h"
#include "sheet/biff8/ContinuedRecord.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff8 {
namespace {

using container::ReadU16;
using container::ReadU32;

// A row block holds at most 32 rows; this bounds the buffer even when DBCELL records are missing.
constexpr std::size_t kMaxBlockCells = std::size_t{32} * 256;
constexpr std::size_t kMaxBlockText = std::size_t{4} * 1024 * 1024;
// Bounds the tokens of shared and array formulas kept for the cells that refer to them.
constexpr std::size_t kMaxFormulaBytes = std::size_t{16} * 1024 * 1024;
// XFs 0-14 are the built-in cell styles and 15 the default cell format; cells, rows and columns
// with a format of their own refer to later ones.
constexpr std::uint16_t kDefaultCellXf = 15;
// ColInfo's last column when the record runs to the end of the sheet: the application writes
// IV + 1 (256), other writers IV itself.
constexpr std::uint16_t kSheetEndColumn = 255;

std::uint16_t ReadU16OrZero(std::string_view data) {
  return data.size() >= 2 ? ReadU16(data.data()) : 0;
}

std::uint32_t CellKey(std::uint32_t row, std::uint32_t column) {
  return (row << 16) | (column & 0xFFFF);
}

}  // namespace

SheetStreamReader::SheetStreamReader(biff::BiffRecordReader& records, const XlsGlobals& globals,
                                     const biff::CodePage& code_page, SheetSink& sink)
    : records_(records), globals_(globals), code_page_(code_page), sink_(sink) {
  formula_context_.extern_sheets = &globals_.extern_sheets;
  formula_context_.names = &globals_.defined_names;
  formula_context_.xti_supbooks = &globals_.xti_supbooks;
  formula_context_.extern_names = &globals_.extern_names;
}

void SheetStreamReader::Require(std::size_t size, const char* what) const {
  if (records_.data().size() < size) records_.Fail(std::string("a ") + what + " record is too short");
}

void SheetStreamReader::Read() {
  ReadBof();
  while (!stopped_ && records_.Next()) {
    const std::uint16_t id = records_.id();
    if (id == record::kBof) {
      ++depth_;  // an embedded chart: skipped up to its own EOF
      continue;
    }
    if (id == record::kEof) {
      if (depth_ == 0) {
        Flush();
        ReportDefaultSizes();
        return;
      }
      --depth_;
      continue;
    }
    if (depth_ == 0) Dispatch();
  }
  if (!stopped_) records_.Fail("the sheet ends without an EOF record");
}

void SheetStreamReader::ReadBof() {
  if (!records_.Next() || records_.id() != record::kBof) {
    records_.Fail("the sheet's position does not hold a BOF record");
  }
}

std::uint32_t SheetStreamReader::Style(std::uint16_t xf) const {
  return xf < globals_.workbook.cell_formats.size() ? xf : 0;
}

void SheetStreamReader::ReportDefaultSizes() {
  if (defaults_reported_ || !have_defaults_) return;
  defaults_reported_ = true;
  sink_.OnSheetDefaults(defaults_);
}

void SheetStreamReader::Dispatch() {
  const char* data = records_.data().data();
  const std::uint16_t id = records_.id();
  if (id != record::kString && id != record::kShrFmla && id != record::kArray && id != record::kTable &&
      id != record::kContinue) {
    awaiting_string_ = false;  // a string result's STRING record comes right after its FORMULA
  }
  switch (id) {
    case record::kDimensions:
      ReadDimensions();
      return;
    case record::kDefColWidth:
      ReadDefColWidth();
      return;
    case record::kDefaultRowHeight:
      ReadDefaultRowHeight();
      return;
    case record::kColInfo:
      ReadColInfo();
      return;
    case record::kRow:
      ReadRow();
      return;
    case record::kDbCell:
      Flush();
      return;
    case record::kMergedCells:
      ReadMergedCells();
      return;
    case record::kNote:
      ReadNote();
      return;
    case record::kBlank:  // Blank, MS-XLS 2.4.20
      Require(6, "BLANK");
      Add(ReadU16(data), ReadU16(data + 2), ReadU16(data + 4), CellValue{});
      return;
    case record::kNumber:  // Number, MS-XLS 2.4.180
      Require(14, "NUMBER");
      Add(ReadU16(data), ReadU16(data + 2), ReadU16(data + 4), CellValue::Number(biff::ReadDouble(data + 6)));
      return;
    case record::kRk:  // RK, MS-XLS 2.4.220
      Require(10, "RK");
      Add(ReadU16(data), ReadU16(data + 2), ReadU16(data + 4),
          CellValue::Number(biff::DecodeRk(ReadU32(data + 6))));
      return;
    case record::kMulBlank:
    case record::kMulRk:
      ReadMultipleCells(id == record::kMulRk);
      return;
    case record::kBoolErr:
      ReadBoolErr();
      return;
    case record::kLabelSst:
      ReadLabelSst();
      return;
    case record::kLabel:
    case record::kRString:
      ReadLabel();
      return;
    case record::kFormula:
      ReadFormula();
      return;
    case record::kString:
      ReadFormulaString();
      return;
    case record::kShrFmla:  // ShrFmla, MS-XLS 2.4.260: RefU, reserved, use count, formula
      ReadSharedFormula(8, shared_formulas_);
      return;
    case record::kArray:  // Array, MS-XLS 2.4.4: RefU, flags, reserved, formula
      ReadSharedFormula(12, array_formulas_);
      return;
    default:
      return;  // TABLE's formulas have no text; other records are not needed
  }
}

void SheetStreamReader::ReadDefColWidth() {
  // DefColWidth, MS-XLS 2.4.89: the default column width in characters.
  Require(2, "DEFCOLWIDTH");
  defaults_.column_width = ReadU16(records_.data().data());
  defaults_.zero_column_width = defaults_.column_width == 0;
  have_defaults_ = true;
}

void SheetStreamReader::ReadDefaultRowHeight() {
  Require(4, "DEFAULTROWHEIGHT");
  biff::ReadDefaultRowHeight(records_.data().data(), defaults_);
  have_defaults_ = true;
}

void SheetStreamReader::ReadMultipleCells(bool numbers) {
  // MulBlank, MS-XLS 2.4.174 (an XF per cell) and MulRk, 2.4.175 (an XF and an RK per cell):
  // the row, the first column, the cells, then the last column.
  Require(6, numbers ? "MULRK" : "MULBLANK");
  const char* data = records_.data().data();
  const std::size_t item_size = numbers ? 6 : 2;
  const std::size_t count = (records_.data().size() - 6) / item_size;
  const std::uint16_t row = ReadU16(data);
  const std::uint16_t first = ReadU16(data + 2);
  for (std::size_t i = 0; i < count && first + i <= 0xFFFF; ++i) {
    const char* item = data + 4 + item_size * i;
    Add(row, static_cast<std::uint16_t>(first + i), ReadU16(item),
        numbers ? CellValue::Number(biff::DecodeRk(ReadU32(item + 2))) : CellValue{});
  }
}

void SheetStreamReader::ReadBoolErr() {
  // BoolErr, MS-XLS 2.4.24: a Boolean or an error code, and which of the two.
  Require(8, "BOOLERR");
  const char* data = records_.data().data();
  const std::uint8_t value = static_cast<std::uint8_t>(data[6]);
  CellValue cell = data[7] == 0 ? CellValue::Boolean(value != 0) : CellValue::Error(biff::ErrorText(value));
  if (cell.kind == CellKind::kError && cell.text.empty()) cell.text = "#N/A";
  Add(ReadU16(data), ReadU16(data + 2), ReadU16(data + 4), cell);
}

void SheetStreamReader::ReadLabelSst() {
  // LabelSst, MS-XLS 2.4.149: the cell's index into the shared string table.
  Require(10, "LABELSST");
  const char* data = records_.data().data();
  const std::uint32_t index = ReadU32(data + 6);
  if (index >= globals_.shared_strings.size()) {
    records_.Fail("a cell refers to shared string " + std::to_string(index) + ", but the workbook has " +
                  std::to_string(globals_.shared_strings.size()));
  }
  Add(ReadU16(data), ReadU16(data + 2), ReadU16(data + 4), CellValue::String(globals_.shared_strings[index]));
}

void SheetStreamReader::ReadDimensions() {
  // Dimensions, MS-XLS 2.4.90: first row, last row + 1, first column, last column + 1.
  std::uint32_t first_row, end_row, first_column, end_column;
  if (globals_.biff_version == 8) {
    Require(12, "DIMENSIONS");
    const char* data = records_.data().data();
    first_row = ReadU32(data);
    end_row = ReadU32(data + 4);
    first_column = ReadU16(data + 8);
    end_column = ReadU16(data + 10);
  } else {
    Require(8, "DIMENSIONS");
    const char* data = records_.data().data();
    first_row = ReadU16(data);
    end_row = ReadU16(data + 2);
    first_column = ReadU16(data + 4);
    end_column = ReadU16(data + 6);
  }
  if (dimension_reported_) return;
  Flush();
  if (stopped_) return;
  dimension_reported_ = true;
  ReportDefaultSizes();
  CellRange range;  // an empty sheet states A1, as other formats do
  if (end_row > first_row && end_column > first_column && end_row <= (1u << 20)) {
    range = {first_row, first_column, end_row - 1, end_column - 1};
  }
  sink_.OnDimension(range);
}

void SheetStreamReader::ReadRow() {
  // Row, MS-XLS 2.4.221: the row's height in twips, then flags (outline level, collapsed,
  // hidden, custom height, custom format) and the row's XF with the thick border flags.
  // A new row block starts here.
  Require(16, "ROW");
  Flush();
  if (stopped_) return;
  const char* data = records_.data().data();
  RowInfo info;
  info.row = ReadU16(data);
  info.height = (ReadU16(data + 6) & 0x7FFF) / 20.0;
  const std::uint16_t flags = ReadU16(data + 12);
  const std::uint16_t format = ReadU16(data + 14);
  info.outline_level = static_cast<std::uint8_t>(flags & 0x07);
  info.collapsed = (flags & 0x10) != 0;
  info.hidden = (flags & 0x20) != 0;
  info.custom_height = (flags & 0x40) != 0;
  if ((flags & 0x80) != 0) {
    info.style = Style(format & 0x0FFF);
    info.styled = (format & 0x0FFF) > kDefaultCellXf;
  }
  info.thick_top = (format & 0x1000) != 0;
  info.thick_bottom = (format & 0x2000) != 0;
  sink_.OnRowInfo(info);
}

void SheetStreamReader::ReadColInfo() {
  // ColInfo, MS-XLS 2.4.53: a column span's width in 1/256 characters, style and hidden flag.
  Require(10, "COLINFO");
  Flush();
  if (stopped_) return;
  const char* data = records_.data().data();
  ColumnInfo info;
  info.first_column = ReadU16(data);
  const std::uint16_t last = ReadU16(data + 2);
  info.last_column = std::min<std::uint32_t>(last, 255);
  info.to_sheet_end = last >= kSheetEndColumn;
  if (info.first_column > info.last_column) return;
  info.width = ReadU16(data + 4) / 256.0;
  const std::uint16_t xf = ReadU16(data + 6);
  info.style = Style(xf);
  info.styled = xf > kDefaultCellXf;
  info.hidden = (ReadU16(data + 8) & 0x01) != 0;
  sink_.OnColumnInfo(info);
}

void SheetStreamReader::ReadMergedCells() {
  // MergeCells, MS-XLS 2.4.168: a count, then Ref8 ranges (first row, last row, first col, last col).
  Require(2, "MERGEDCELLS");
  Flush();  // cells before the merges they belong to
  if (stopped_) return;
  const std::string_view data = records_.data();
  const std::size_t count = std::min<std::size_t>(ReadU16(data.data()), (data.size() - 2) / 8);
  for (std::size_t i = 0; i < count; ++i) {
    const char* ref = data.data() + 2 + 8 * i;
    CellRange range{ReadU16(ref), ReadU16(ref + 4), ReadU16(ref + 2), ReadU16(ref + 6)};
    if (range.first_row <= range.last_row && range.first_column <= range.last_column)
      sink_.OnMergedRange(range);
  }
}

void SheetStreamReader::ReadNote() {
  // Note, MS-XLS 2.4.179: the commented cell's row and column come first. In BIFF5 a long text
  // continues in further NOTE records whose row is 0xFFFF.
  if (records_.data().size() < 4) return;
  const char* data = records_.data().data();
  const std::uint16_t row = ReadU16(data);
  const std::uint16_t column = ReadU16(data + 2);
  if (row == 0xFFFF || column > 255) return;
  Flush();
  if (!stopped_) sink_.OnComment(row, column);
}

void SheetStreamReader::ReadLabel() {
  // Label, MS-XLS 2.4.148, and RString, 2.4.219: text held in the record; RString's formatting
  // runs after the text are not needed.
  Require(8, "LABEL");
  const char* data = records_.data().data();
  const std::uint16_t row = ReadU16(data);
  const std::uint16_t column = ReadU16(data + 2);
  const std::uint16_t xf = ReadU16(data + 4);
  scratch_.clear();
  if (globals_.biff_version == 5) {
    const std::size_t count = ReadU16(data + 6);
    if (records_.data().size() < 8 + count) records_.Fail("a text cell's characters run past its record");
    code_page_.Append(records_.data().substr(8, count), scratch_);
  } else {
    ContinuedRecord body(records_);
    body.Skip(6);
    body.ReadUnicodeString(scratch_);
  }
  AddText(row, column, xf, scratch_);
}

void SheetStreamReader::ReadFormula() {
  // Formula, MS-XLS 2.4.127: the cached result in 8 bytes; 0xFFFF in the last two marks a
  // non-number whose type is in the first byte.
  Require(20, "FORMULA");
  const char* data = records_.data().data();
  const std::uint16_t row = ReadU16(data);
  const std::uint16_t column = ReadU16(data + 2);
  const std::uint16_t xf = ReadU16(data + 4);
  const char* result = data + 6;
  // The tokens (CellParsedFormula: a 16-bit size at 20, then the tokens) are kept for Flush;
  // BIFF5 tokens are laid out differently and get no text.
  const std::size_t size = records_.data().size() >= 22 ? ReadU16(data + 20) : 0;
  const bool keep = globals_.biff_version == 8 && size > 0 && records_.data().size() >= 22 + size;
  // Flushing here, not inside Add, keeps this cell's tokens in the block they were stored for.
  if (block_.size() >= kMaxBlockCells || (keep && block_formulas_.size() + size > kMaxBlockText)) Flush();
  const std::uint32_t formula_begin = static_cast<std::uint32_t>(block_formulas_.size());
  if (keep) block_formulas_.append(records_.data().substr(22, size));
  const std::uint32_t formula_end = static_cast<std::uint32_t>(block_formulas_.size());
  AddFormulaResult(row, column, xf, result);
  block_.back().formula_begin = formula_begin;
  block_.back().formula_end = formula_end;
}

void SheetStreamReader::AddFormulaResult(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                                         const char* result) {
  if (ReadU16(result + 6) != 0xFFFF) {
    const double number = biff::ReadDouble(result);
    Add(row, column, xf, std::isfinite(number) ? CellValue::Number(number) : CellValue::Error("#NUM!"));
    return;
  }
  switch (static_cast<std::uint8_t>(result[0])) {
    case 0:  // a string, in the STRING record that follows
      AddText(row, column, xf, {});
      awaiting_string_ = true;
      return;
    case 1:
      Add(row, column, xf, CellValue::Boolean(result[2] != 0));
      return;
    case 2: {
      const std::string_view text = biff::ErrorText(static_cast<std::uint8_t>(result[2]));
      Add(row, column, xf, CellValue::Error(text.empty() ? "#N/A" : text));
      return;
    }
    default:  // 3: the empty string
      AddText(row, column, xf, {});
      return;
  }
}

void SheetStreamReader::ReadSharedFormula(std::size_t header,
                                          std::unordered_map<std::uint32_t, std::string>& formulas) {
  // Both start with a RefU (first row, last row, first column, last column: 16, 16, 8, 8 bits);
  // the formula's 16-bit size and tokens follow the record's header.
  const std::string_view data = records_.data();
  if (data.size() < header + 2 || globals_.biff_version != 8) return;
  const std::size_t size = ReadU16(data.data() + header);
  if (data.size() < header + 2 + size || formula_bytes_ + size > kMaxFormulaBytes) return;
  formula_bytes_ += size;
  const std::uint32_t key = CellKey(ReadU16(data.data()), static_cast<unsigned char>(data[4]));
  formulas[key].assign(data.substr(header + 2, size));
}

void SheetStreamReader::DecompileFormula(const Pending& pending) {
  formula_text_.clear();
  if (pending.formula_end > block_formulas_.size() || pending.formula_begin > pending.formula_end) return;
  std::string_view tokens = std::string_view(block_formulas_)
                                .substr(pending.formula_begin, pending.formula_end - pending.formula_begin);
  // PtgExp (MS-XLS 2.5.198.58) alone: the cell shares the formula of the base cell it names.
  if (tokens.size() == 5 && tokens[0] == 0x01) {
    const std::uint32_t base = CellKey(ReadU16(tokens.data() + 1), ReadU16(tokens.data() + 3));
    if (const auto array = array_formulas_.find(base); array != array_formulas_.end()) {
      // An array formula's text belongs to its first cell only, as in .xlsx.
      if (base != CellKey(pending.cell.row, pending.cell.column)) return;
      tokens = array->second;
    } else if (const auto shared = shared_formulas_.find(base); shared != shared_formulas_.end()) {
      tokens = shared->second;
    } else {
      return;
    }
  }
  formula_context_.row = pending.cell.row;
  formula_context_.column = pending.cell.column;
  decompiler_.Decompile(tokens, formula_context_, formula_text_);
}

void SheetStreamReader::ReadFormulaString() {
  // String, MS-XLS 2.4.268: the text result of the formula before it.
  if (!awaiting_string_ || block_.empty()) return;
  awaiting_string_ = false;
  scratch_.clear();
  if (globals_.biff_version == 5) {
    Require(2, "STRING");
    const std::size_t count = ReadU16(records_.data().data());
    if (records_.data().size() < 2 + count) records_.Fail("a formula's text result runs past its record");
    code_page_.Append(records_.data().substr(2, count), scratch_);
  } else if (records_.data().size() > 2 || ReadU16OrZero(records_.data()) != 0) {
    ContinuedRecord body(records_);
    body.ReadUnicodeString(scratch_);
  }  // else an empty result written as a bare count, without the flags byte
  // AddText bounded the block's text before this cell, so one string more stays bounded too.
  Pending& last = block_.back();
  last.text_begin = static_cast<std::uint32_t>(block_text_.size());
  block_text_.append(scratch_);
  last.text_end = static_cast<std::uint32_t>(block_text_.size());
}

void SheetStreamReader::Add(std::uint16_t row, std::uint16_t column, std::uint16_t xf, CellValue value) {
  if (block_.size() >= kMaxBlockCells) Flush();
  if (!block_.empty()) {
    const Cell& previous = block_.back().cell;
    if (row < previous.row || (row == previous.row && column <= previous.column)) out_of_order_ = true;
  }
  Pending pending;
  pending.cell.row = row;
  pending.cell.column = column;
  pending.cell.style = Style(xf);
  pending.cell.value = value;
  block_.push_back(pending);
}

void SheetStreamReader::AddText(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                                const std::string& text) {
  if (block_text_.size() + text.size() > kMaxBlockText) Flush();
  Add(row, column, xf, CellValue::String({}));
  Pending& pending = block_.back();
  pending.own_text = true;
  pending.text_begin = static_cast<std::uint32_t>(block_text_.size());
  block_text_.append(text);
  pending.text_end = static_cast<std::uint32_t>(block_text_.size());
}

void SheetStreamReader::Flush() {
  if (block_.empty()) return;
  if (!dimension_reported_) {
    dimension_reported_ = true;  // no DIMENSIONS record: the writer finds the range itself
    ReportDefaultSizes();
  }
  if (out_of_order_) {
    std::stable_sort(block_.begin(), block_.end(), [](const Pending& a, const Pending& b) {
      return a.cell.row != b.cell.row ? a.cell.row < b.cell.row : a.cell.column < b.cell.column;
    });
  }
  const std::string_view text(block_text_);
  for (std::size_t i = 0; i < block_.size(); ++i) {
    Pending& pending = block_[i];
    // A cell written twice keeps its last record, as the application does.
    if (i + 1 < block_.size() && block_[i + 1].cell.row == pending.cell.row &&
        block_[i + 1].cell.column == pending.cell.column) {
      continue;
    }
    if (pending.own_text) {
      pending.cell.value =
          CellValue::String(text.substr(pending.text_begin, pending.text_end - pending.text_begin));
    }
    if (pending.formula_end != pending.formula_begin) {
      DecompileFormula(pending);
      pending.cell.formula = formula_text_;
    }
    if (sink_.OnCell(pending.cell) == SinkControl::kStop) {
      stopped_ = true;
      break;
    }
  }
  block_.clear();
  block_text_.clear();
  block_formulas_.clear();
  out_of_order_ = false;
  awaiting_string_ = false;
}

}  // namespace quorvex::sheet::biff8
