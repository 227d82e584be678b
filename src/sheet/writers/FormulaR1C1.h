// Formula text in A1 form rewritten with R1C1 references, as XML Spreadsheet files store it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex::sheet {

/// Rewrites the cell references of `formula` (A1 form, no leading "=") relative to the cell at
/// 0-based (`row`, `column`): A1 becomes R[-1]C[-1] style relative references, $A$1 absolute
/// R1C1, mixed references mix both; whole columns (A:C) and rows (1:3) too. Text in quotes,
/// sheet names in single quotes, function names and defined names stay as they are. Returns
/// "=" followed by the result.
std::string FormulaToR1C1(std::string_view formula, std::uint32_t row, std::uint32_t column);

/// Appends what FormulaToR1C1 returns to `out`.
void AppendFormulaR1C1(std::string& out, std::string_view formula, std::uint32_t row, std::uint32_t column);

}  // namespace quorvex::sheet
