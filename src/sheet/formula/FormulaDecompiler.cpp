// Decompiles the Ptg tokens of parsed formulas (MS-XLS 2.5.198, MS-XLSB 2.5.97) to A1 text with a
// stack of operand texts: operands push, operators and functions pop their arguments.
#include "sheet/formula/FormulaDecompiler.h"

#include <charconv>
#include <cstring>

#include "sheet/biff/BiffValues.h"
#include "sheet/container/Utf16.h"
#include "sheet/formula/FormulaFunctions.h"

namespace quorvex::sheet::formula {
namespace {

// Base token ids (MS-XLS 2.5.198.25); classified tokens (0x20..0x7F) are folded to 0x20..0x3F.
namespace ptg {
constexpr std::uint8_t kExp = 0x01;
constexpr std::uint8_t kAdd = 0x03;
constexpr std::uint8_t kRange = 0x11;
constexpr std::uint8_t kUplus = 0x12;
constexpr std::uint8_t kUminus = 0x13;
constexpr std::uint8_t kPercent = 0x14;
constexpr std::uint8_t kParen = 0x15;
constexpr std::uint8_t kMissArg = 0x16;
constexpr std::uint8_t kStr = 0x17;
constexpr std::uint8_t kAttr = 0x19;
constexpr std::uint8_t kErr = 0x1C;
constexpr std::uint8_t kBool = 0x1D;
constexpr std::uint8_t kInt = 0x1E;
constexpr std::uint8_t kNum = 0x1F;
constexpr std::uint8_t kFunc = 0x21;
constexpr std::uint8_t kFuncVar = 0x22;
constexpr std::uint8_t kName = 0x23;
constexpr std::uint8_t kRef = 0x24;
constexpr std::uint8_t kArea = 0x25;
constexpr std::uint8_t kMemArea = 0x26;
constexpr std::uint8_t kMemErr = 0x27;
constexpr std::uint8_t kMemNoMem = 0x28;
constexpr std::uint8_t kMemFunc = 0x29;
constexpr std::uint8_t kRefErr = 0x2A;
constexpr std::uint8_t kAreaErr = 0x2B;
constexpr std::uint8_t kRefN = 0x2C;
constexpr std::uint8_t kAreaN = 0x2D;
constexpr std::uint8_t kRef3d = 0x3A;
constexpr std::uint8_t kArea3d = 0x3B;
constexpr std::uint8_t kRefErr3d = 0x3C;
constexpr std::uint8_t kNameX = 0x39;
constexpr std::uint8_t kAreaErr3d = 0x3D;
}  // namespace ptg

// Binary operators PtgAdd (0x03) to PtgRange (0x11), in id order. The formula keeps its own
// parentheses as PtgParen tokens, so operands need none added.
constexpr std::string_view kBinaryOperators[] = {
    "+", "-", "*", "/", "^", "&", "<", "<=", "=", ">=", ">", "<>", " ", ",", ":"};

// PtgAttr flags (MS-XLS 2.5.198.27..35).
constexpr std::uint8_t kAttrChoose = 0x04;
constexpr std::uint8_t kAttrSum = 0x10;

// Bounds the operand stack against formulas that push without ever popping.
constexpr std::size_t kMaxStack = 4096;

std::string NumberText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

void AppendColumn(std::uint32_t column, std::string& out) {
  char letters[4];
  int count = 0;
  for (std::uint32_t n = column + 1; n > 0 && count < 4; n = (n - 1) / 26) {
    letters[count++] = static_cast<char>('A' + (n - 1) % 26);
  }
  while (count > 0) out.push_back(letters[--count]);
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

/// Bounded little-endian reads over the token buffer; a read past the end sets `failed`.
class FormulaDecompiler::Cursor {
 public:
  explicit Cursor(std::string_view data) : data_(data) {}
  bool AtEnd() const { return position_ >= data_.size(); }
  bool failed() const { return failed_; }
  std::string_view Take(std::size_t count) {
    if (failed_ || data_.size() - position_ < count) {
      failed_ = true;
      return {};
    }
    const std::string_view bytes = data_.substr(position_, count);
    position_ += count;
    return bytes;
  }
  std::uint32_t Uint(std::size_t count) {
    const std::string_view bytes = Take(count);
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i > 0; --i)
      value = (value << 8) | static_cast<unsigned char>(bytes[i - 1]);
    return value;
  }
  std::uint8_t U8() { return static_cast<std::uint8_t>(Uint(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Uint(2)); }
  std::uint32_t U32() { return Uint(4); }

 private:
  std::string_view data_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

std::string FormulaDecompiler::QuoteSheetName(std::string_view name) {
  bool quote = name.empty() || IsDigit(name.front());
  for (char c : name) {
    const bool plain =
        IsAsciiLetter(c) || IsDigit(c) || c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
    if (!plain) quote = true;
  }
  // Letters followed by digits ("A1", "ABC12") read as a cell reference.
  std::size_t letters = 0;
  while (letters < name.size() && IsAsciiLetter(name[letters])) ++letters;
  std::size_t digits = letters;
  while (digits < name.size() && IsDigit(name[digits])) ++digits;
  if (letters > 0 && letters <= 3 && digits > letters && digits == name.size()) quote = true;
  if (!quote) return std::string(name);
  std::string text = "'";
  for (char c : name) {
    if (c == '\'') text.push_back('\'');
    text.push_back(c);
  }
  text.push_back('\'');
  return text;
}

std::string FormulaDecompiler::SheetSpanText(const std::string& first, const std::string& last, bool single) {
  if (single) return QuoteSheetName(first);
  if (QuoteSheetName(first) == first && QuoteSheetName(last) == last) return first + ":" + last;
  return QuoteSheetName(first + ":" + last);
}

bool FormulaDecompiler::Decompile(std::string_view rgce, const FormulaContext& context, std::string& out) {
  stack_.clear();
  out.clear();
  if (!Run(rgce, context) || stack_.size() != 1) {
    stack_.clear();
    return false;
  }
  out.swap(stack_.back());
  stack_.clear();
  return true;
}

bool FormulaDecompiler::Binary(std::string_view op) {
  if (stack_.size() < 2) return false;
  std::string right = std::move(stack_.back());
  stack_.pop_back();
  std::string& left = stack_.back();
  left.append(op);
  left.append(right);
  return true;
}

bool FormulaDecompiler::Call(std::string_view name, std::size_t count) {
  if (stack_.size() < count) return false;
  std::string text(name);
  text.push_back('(');
  for (std::size_t i = stack_.size() - count; i < stack_.size(); ++i) {
    if (i != stack_.size() - count) text.push_back(',');
    text.append(stack_[i]);
  }
  text.push_back(')');
  stack_.resize(stack_.size() - count);
  stack_.push_back(std::move(text));
  return true;
}

std::string FormulaDecompiler::CellText(std::uint32_t row, std::uint32_t column, bool row_relative,
                                        bool column_relative) const {
  std::string text;
  if (!column_relative) text.push_back('$');
  AppendColumn(column, text);
  if (!row_relative) text.push_back('$');
  text.append(std::to_string(row + 1));
  return text;
}

std::string FormulaDecompiler::AreaText(std::uint32_t row1, std::uint32_t row2, std::uint16_t column1,
                                        std::uint16_t column2) const {
  const bool wide = layout_ == FormulaLayout::kBiff12;
  const std::uint32_t last_row = wide ? 0xFFFFF : 0xFFFF;
  const std::uint16_t last_column = wide ? 0x3FFF : 0xFF;
  const std::uint16_t mask = wide ? 0x3FFF : 0xFF;
  const std::uint32_t c1 = column1 & mask;
  const std::uint32_t c2 = column2 & mask;
  const bool c1_relative = (column1 & 0x4000) != 0, r1_relative = (column1 & 0x8000) != 0;
  const bool c2_relative = (column2 & 0x4000) != 0, r2_relative = (column2 & 0x8000) != 0;
  std::string text;
  if (row1 == 0 && row2 == last_row) {  // whole columns: A:C
    if (!c1_relative) text.push_back('$');
    AppendColumn(c1, text);
    text.push_back(':');
    if (!c2_relative) text.push_back('$');
    AppendColumn(c2, text);
    return text;
  }
  if (c1 == 0 && c2 == last_column) {  // whole rows: 1:3
    if (!r1_relative) text.push_back('$');
    text.append(std::to_string(row1 + 1));
    text.push_back(':');
    if (!r2_relative) text.push_back('$');
    text.append(std::to_string(row2 + 1));
    return text;
  }
  text = CellText(row1, c1, r1_relative, c1_relative);
  text.push_back(':');
  text.append(CellText(row2, c2, r2_relative, c2_relative));
  return text;
}

bool FormulaDecompiler::ExternName(std::uint16_t ixti, std::uint32_t index, const FormulaContext& context) {
  if (context.xti_supbooks == nullptr || context.extern_names == nullptr ||
      ixti >= context.xti_supbooks->size()) {
    return false;
  }
  const std::uint16_t supbook = (*context.xti_supbooks)[ixti];
  if (supbook >= context.extern_names->size()) return false;
  const std::vector<std::string>& names = (*context.extern_names)[supbook];
  if (index == 0 || index > names.size() || names[index - 1].empty()) return false;
  std::string_view name = names[index - 1];
  // Functions newer than the format are saved as add-in calls named "_xlfn.NAME"; those the
  // table holds (IFERROR, SUMIFS, ...) are written without the prefix, as .xlsx does.
  constexpr std::string_view kFuturePrefix = "_xlfn.";
  if (name.starts_with(kFuturePrefix) && IsFormulaFunctionName(name.substr(kFuturePrefix.size()))) {
    name.remove_prefix(kFuturePrefix.size());
  }
  stack_.emplace_back(name);
  return true;
}

bool FormulaDecompiler::SheetPrefix(std::uint16_t ixti, const FormulaContext& context,
                                    std::string& prefix) const {
  if (context.extern_sheets == nullptr || ixti >= context.extern_sheets->size()) return false;
  const std::string& sheets = (*context.extern_sheets)[ixti];
  if (sheets.empty()) return false;
  prefix = sheets;
  prefix.push_back('!');
  return true;
}

bool FormulaDecompiler::Run(std::string_view rgce, const FormulaContext& context) {
  Cursor in(rgce);
  while (!in.AtEnd()) {
    if (stack_.size() > kMaxStack) return false;
    const std::uint8_t raw = in.U8();
    const std::uint8_t id = raw < 0x20 ? raw : static_cast<std::uint8_t>((raw & 0x1F) | 0x20);
    if (!Token(id, in, context) || in.failed()) return false;
  }
  return true;
}

bool FormulaDecompiler::Token(std::uint8_t id, Cursor& in, const FormulaContext& context) {
  if (id >= ptg::kAdd && id <= ptg::kRange) return Binary(kBinaryOperators[id - ptg::kAdd]);
  switch (id) {
    case ptg::kUplus:
      return Wrap("+", "");
    case ptg::kUminus:
      return Wrap("-", "");
    case ptg::kPercent:
      return Wrap("", "%");
    case ptg::kParen:
      return Wrap("(", ")");
    case ptg::kMissArg:
      stack_.emplace_back();
      return true;
    case ptg::kStr:
      return StringConstant(in);
    case ptg::kAttr:
      return Attribute(in);
    case ptg::kErr:
      return ErrorConstant(in);
    case ptg::kBool:
      stack_.emplace_back(in.U8() != 0 ? "TRUE" : "FALSE");
      return true;
    case ptg::kInt:
      stack_.push_back(std::to_string(in.U16()));
      return true;
    case ptg::kNum:
      return NumberConstant(in);
    case ptg::kFunc: {
      const FormulaFunction function = LookUpFormulaFunction(in.U16());
      return !in.failed() && !function.name.empty() && function.arguments >= 0 &&
             Call(function.name, static_cast<std::size_t>(function.arguments));
    }
    case ptg::kFuncVar:
      return VariableCall(in);
    case ptg::kName:
      return Name(in, context);
    case ptg::kNameX: {
      const std::uint16_t ixti = in.U16();
      const std::uint32_t index = in.U32();
      return !in.failed() && ExternName(ixti, index, context);
    }
    case ptg::kRef:
    case ptg::kRefN:
      return Reference(id == ptg::kRefN, in, context);
    case ptg::kArea:
    case ptg::kAreaN:
      return Area(id == ptg::kAreaN, in, context);
    case ptg::kMemArea:
    case ptg::kMemErr:
    case ptg::kMemNoMem:
      in.Take(6);  // the reference expression after the header carries the text
      return true;
    case ptg::kMemFunc:
      in.Take(2);
      return true;
    case ptg::kRefErr:
      in.Take(RowSize() + 2);
      stack_.emplace_back("#REF!");
      return true;
    case ptg::kAreaErr:
      in.Take(2 * RowSize() + 4);
      stack_.emplace_back("#REF!");
      return true;
    case ptg::kRef3d:
    case ptg::kArea3d:
    case ptg::kRefErr3d:
    case ptg::kAreaErr3d:
      return Reference3d(id, in, context);
    case ptg::kExp:  // the reader resolves shared and array formulas before decompiling
    default:
      // PtgTbl (resolved by the reader), PtgArray (its constants follow the tokens), the
      // extended tokens and unknown ids.
      return false;
  }
}

bool FormulaDecompiler::Wrap(std::string_view before, std::string_view after) {
  if (stack_.empty()) return false;
  stack_.back().insert(0, before);
  stack_.back().append(after);
  return true;
}

bool FormulaDecompiler::StringConstant(Cursor& in) {
  // ShortXLUnicodeString (8-bit count, flags) in BIFF8; XLWideString with a 16-bit count in BIFF12.
  std::string value;
  if (Wide()) {
    const std::uint16_t count = in.U16();
    const std::string_view bytes = in.Take(2 * std::size_t{count});
    if (in.failed()) return false;
    container::AppendUtf16(bytes.data(), count, value);
  } else {
    const std::uint8_t count = in.U8();
    const bool high_byte = (in.U8() & 0x01) != 0;
    const std::string_view bytes = in.Take(std::size_t{count} * (high_byte ? 2 : 1));
    if (in.failed()) return false;
    if (high_byte) {
      container::AppendUtf16(bytes.data(), count, value);
    } else {
      container::AppendLatin1(bytes, value);
    }
  }
  std::string text = "\"";
  for (char c : value) {
    if (c == '"') text.push_back('"');
    text.push_back(c);
  }
  text.push_back('"');
  stack_.push_back(std::move(text));
  return true;
}

bool FormulaDecompiler::ErrorConstant(Cursor& in) {
  const std::string_view text = biff::ErrorText(in.U8());
  if (text.empty()) return false;
  stack_.emplace_back(text);
  return true;
}

bool FormulaDecompiler::NumberConstant(Cursor& in) {
  const std::string_view bytes = in.Take(8);
  if (in.failed()) return false;
  stack_.push_back(NumberText(biff::ReadDouble(bytes.data())));
  return true;
}

bool FormulaDecompiler::Attribute(Cursor& in) {
  const std::uint8_t flags = in.U8();
  const std::uint16_t data = in.U16();
  if (in.failed()) return false;
  if ((flags & kAttrChoose) != 0) in.Take(2 * (std::size_t{data} + 1));  // the jump table
  if ((flags & kAttrSum) != 0) return Call("SUM", 1);
  return true;  // the other attributes (volatile, if, skip, spaces) do not show in the text
}

bool FormulaDecompiler::VariableCall(Cursor& in) {
  const std::size_t count = in.U8();
  const std::uint16_t tab = in.U16();
  if (in.failed() || (tab & 0x8000) != 0) return false;  // command-equivalent functions are macros
  if (tab == kUserDefinedFunction) {
    // The first argument names the function (a PtgName or PtgNameX).
    if (count == 0 || stack_.size() < count) return false;
    const std::string name = std::move(stack_[stack_.size() - count]);
    stack_.erase(stack_.end() - static_cast<std::ptrdiff_t>(count));
    return Call(name, count - 1);
  }
  const FormulaFunction function = LookUpFormulaFunction(tab);
  return !function.name.empty() && Call(function.name, count);
}

bool FormulaDecompiler::Name(Cursor& in, const FormulaContext& context) {
  const std::uint32_t index = in.U32();
  if (in.failed() || context.names == nullptr || index == 0 || index > context.names->size()) return false;
  const std::string& name = (*context.names)[index - 1];
  if (name.empty()) return false;
  stack_.push_back(name);
  return true;
}

std::uint32_t FormulaDecompiler::ShiftRow(std::uint32_t row, const FormulaContext& context) const {
  const std::int64_t offset = Wide() ? static_cast<std::int32_t>(row) : static_cast<std::int16_t>(row);
  return static_cast<std::uint32_t>((context.row + offset) & (Wide() ? 0xFFFFF : 0xFFFF));
}

std::uint32_t FormulaDecompiler::ShiftColumn(std::uint32_t column, const FormulaContext& context) const {
  const std::int64_t offset =
      Wide() ? static_cast<std::int64_t>(column ^ 0x2000) - 0x2000 : static_cast<std::int8_t>(column);
  return static_cast<std::uint32_t>((context.column + offset) & ColumnMask());
}

bool FormulaDecompiler::Reference(bool relative_to_cell, Cursor& in, const FormulaContext& context) {
  std::uint32_t row = in.Uint(RowSize());
  const std::uint16_t column_field = in.U16();
  if (in.failed()) return false;
  const bool row_relative = (column_field & 0x8000) != 0;
  const bool column_relative = (column_field & 0x4000) != 0;
  std::uint32_t column = column_field & ColumnMask();
  if (relative_to_cell) {
    // PtgRefN: relative parts are signed offsets from the cell holding the formula.
    if (row_relative) row = ShiftRow(row, context);
    if (column_relative) column = ShiftColumn(column, context);
  }
  stack_.push_back(CellText(row, column, row_relative, column_relative));
  return true;
}

bool FormulaDecompiler::Area(bool relative_to_cell, Cursor& in, const FormulaContext& context) {
  std::uint32_t row1 = in.Uint(RowSize());
  std::uint32_t row2 = in.Uint(RowSize());
  std::uint16_t column1 = in.U16();
  std::uint16_t column2 = in.U16();
  if (in.failed()) return false;
  if (relative_to_cell) {
    // PtgAreaN: as PtgRefN, for both corners; a column keeps its relative flags.
    if ((column1 & 0x8000) != 0) row1 = ShiftRow(row1, context);
    if ((column2 & 0x8000) != 0) row2 = ShiftRow(row2, context);
    for (std::uint16_t* field : {&column1, &column2}) {
      if ((*field & 0x4000) == 0) continue;
      const std::uint32_t column = ShiftColumn(*field & ColumnMask(), context);
      *field = static_cast<std::uint16_t>((*field & 0xC000) | column);
    }
  }
  stack_.push_back(AreaText(row1, row2, column1, column2));
  return true;
}

bool FormulaDecompiler::Reference3d(std::uint8_t id, Cursor& in, const FormulaContext& context) {
  const std::uint16_t ixti = in.U16();
  std::string text;
  if (in.failed() || !SheetPrefix(ixti, context, text)) return false;
  if (id == ptg::kRef3d) {
    const std::uint32_t row = in.Uint(RowSize());
    const std::uint16_t column_field = in.U16();
    if (in.failed()) return false;
    text.append(CellText(row, column_field & ColumnMask(), (column_field & 0x8000) != 0,
                         (column_field & 0x4000) != 0));
  } else if (id == ptg::kArea3d) {
    const std::uint32_t row1 = in.Uint(RowSize());
    const std::uint32_t row2 = in.Uint(RowSize());
    const std::uint16_t column1 = in.U16();
    const std::uint16_t column2 = in.U16();
    if (in.failed()) return false;
    text.append(AreaText(row1, row2, column1, column2));
  } else {  // PtgRefErr3d, PtgAreaErr3d
    in.Take(id == ptg::kRefErr3d ? RowSize() + 2 : 2 * RowSize() + 4);
    text.append("#REF!");
  }
  stack_.push_back(std::move(text));
  return true;
}

}  // namespace quorvex::sheet::formula
