// Turns a parsed formula (an Rgce: tokens in reverse Polish order) back into A1 formula text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::sheet::formula {

/// The layout of the tokens: BIFF8 (.xls, 16-bit rows, 8-bit columns) or BIFF12 (.xlsb,
/// 32-bit rows, 14-bit columns, UTF-16 string constants).
enum class FormulaLayout { kBiff8, kBiff12 };

/// What a formula's tokens refer to outside themselves.
struct FormulaContext {
  std::uint32_t row = 0;     // the cell holding the formula, for the relative references of
  std::uint32_t column = 0;  // shared formulas
  /// Sheet prefix text ("Inputs", "'My Sheet'", "A:C") by XTI index of 3D references; an empty
  /// entry or a missing table leaves formulas with that reference without text.
  const std::vector<std::string>* extern_sheets = nullptr;
  /// Defined names by NAME record order (PtgName holds the 1-based index).
  const std::vector<std::string>* names = nullptr;
  /// For PtgNameX: the supporting link of each XTI entry, and each link's external names.
  /// Only add-in function names are given text ("_xlfn." dropped from functions the table has).
  const std::vector<std::uint16_t>* xti_supbooks = nullptr;
  const std::vector<std::vector<std::string>>* extern_names = nullptr;
};

class FormulaDecompiler {
 public:
  explicit FormulaDecompiler(FormulaLayout layout) : layout_(layout) {}

  /// Writes the formula text of `rgce` (without the leading "=") into `out`. Returns false,
  /// with `out` empty, for tokens it does not know, tokens running past the buffer, or tokens
  /// that do not form one expression. Never throws for any input bytes.
  bool Decompile(std::string_view rgce, const FormulaContext& context, std::string& out);

  /// The text of a sheet name in a reference: quoted ('My Sheet') when it holds anything but
  /// letters, digits, '_' and '.', starts with a digit or could be read as a cell reference.
  static std::string QuoteSheetName(std::string_view name);
  /// The prefix text of a span of sheets: one sheet's name, or "First:Last" (quoted as one,
  /// 'First:Last', when either name needs quotes).
  static std::string SheetSpanText(const std::string& first, const std::string& last, bool single);

 private:
  class Cursor;

  bool Wide() const { return layout_ == FormulaLayout::kBiff12; }
  std::size_t RowSize() const { return Wide() ? 4 : 2; }
  std::uint16_t ColumnMask() const { return Wide() ? 0x3FFF : 0xFF; }

  bool Run(std::string_view rgce, const FormulaContext& context);
  /// Applies the token `id` (its class folded away) whose fields `in` is at; false when the
  /// formula has no text.
  bool Token(std::uint8_t id, Cursor& in, const FormulaContext& context);
  bool Wrap(std::string_view before, std::string_view after);
  bool StringConstant(Cursor& in);
  bool ErrorConstant(Cursor& in);
  bool NumberConstant(Cursor& in);
  bool Attribute(Cursor& in);
  bool VariableCall(Cursor& in);
  bool Name(Cursor& in, const FormulaContext& context);
  bool Reference(bool relative_to_cell, Cursor& in, const FormulaContext& context);
  bool Area(bool relative_to_cell, Cursor& in, const FormulaContext& context);
  bool Reference3d(std::uint8_t id, Cursor& in, const FormulaContext& context);
  /// A PtgRefN or PtgAreaN row or column offset made absolute against the formula's cell.
  std::uint32_t ShiftRow(std::uint32_t row, const FormulaContext& context) const;
  std::uint32_t ShiftColumn(std::uint32_t column, const FormulaContext& context) const;
  bool Binary(std::string_view op);
  bool Call(std::string_view name, std::size_t count);
  std::string CellText(std::uint32_t row, std::uint32_t column, bool row_relative,
                       bool column_relative) const;
  std::string AreaText(std::uint32_t row1, std::uint32_t row2, std::uint16_t column1,
                       std::uint16_t column2) const;
  bool ExternName(std::uint16_t ixti, std::uint32_t index, const FormulaContext& context);
  bool SheetPrefix(std::uint16_t ixti, const FormulaContext& context, std::string& prefix) const;

  FormulaLayout layout_;
  std::vector<std::string> stack_;
};

}  // namespace quorvex::sheet::formula
