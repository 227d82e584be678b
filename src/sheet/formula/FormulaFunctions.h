// The built-in function table of parsed formulas (Ftab, MS-XLS 2.5.198.17), shared by the
// .xls and .xlsb formula decompilers.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvex::sheet::formula {

/// A built-in function: its name and, for functions called through PtgFunc, its fixed argument
/// count (-1 when it takes a variable count and is only called through PtgFuncVar).
struct FormulaFunction {
  std::string_view name;
  int arguments = -1;
};

/// The function with table index `index`; an empty name for indexes the table does not hold.
FormulaFunction LookUpFormulaFunction(std::uint16_t index);

/// True when `name` is the name of a function in the table.
bool IsFormulaFunctionName(std::string_view name);

/// The index of PtgFuncVar that calls a user-defined or add-in function named by its first argument.
inline constexpr std::uint16_t kUserDefinedFunction = 255;

}  // namespace quorvex::sheet::formula
