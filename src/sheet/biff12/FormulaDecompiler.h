// Turns the parsed formula of an .xlsb cell (CellParsedFormula, MS-XLSB 2.5.97) into A1 text.
#pragma once

#include <string>
#include <string_view>

#include "sheet/formula/FormulaDecompiler.h"

namespace quorvex::sheet::biff12 {

using formula::FormulaContext;

/// The .xlsb form of the token decompiler: the same tokens as .xls with 32-bit rows, 14-bit
/// columns and UTF-16 string constants.
class FormulaDecompiler {
 public:
  /// Writes the formula text of `rgce` into `out`; false, with `out` empty, for unknown or
  /// damaged tokens. Never throws for any input bytes.
  bool Decompile(std::string_view rgce, const FormulaContext& context, std::string& out) {
    return decompiler_.Decompile(rgce, context, out);
  }

 private:
  formula::FormulaDecompiler decompiler_{formula::FormulaLayout::kBiff12};
};

}  // namespace quorvex::sheet::biff12
