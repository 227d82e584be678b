// CSS rules that give a web page table the look of a workbook's cell formats.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "sheet/model/Workbook.h"

namespace quorvex::sheet {

/// Column width in pixels for a width in characters of the default font (Calibri 11: seven
/// pixels per character plus five of padding).
int ColumnWidthPixels(double characters);

/// Appends one rule per style in `used`, selecting `table.q-sheet td.s<style>`: font family, size, weight,
/// slant, underline and strike-out, colour, solid fill, the four borders, horizontal and
/// vertical alignment, wrapping and indent. Unknown styles get no rule.
void AppendStyleRules(std::string& out, const Workbook& workbook, const std::set<std::uint32_t>& used);

/// "#RRGGBB" for an RGB colour.
std::string CssColor(Rgb color);

}  // namespace quorvex::sheet
