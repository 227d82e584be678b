// One sheet as an HTML table: displayed texts, merged cells as spans, sizes, hidden parts left out.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "sheet/model/Workbook.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/SheetBuffer.h"

namespace quorvex::sheet {

/// The most cells (rows times columns of the used range) one table may hold, so a sheet with a
/// far-off cell cannot make a page of unbounded size.
inline constexpr std::uint64_t kMaxTableCells = 2'000'000;

struct HtmlTableOptions {
  /// Adds column letters and row numbers as headers, and on each cell its address (data-a),
  /// its column (data-c), a number's value (data-v) and its formula (data-f) for the page's
  /// script.
  bool interactive = false;
};

/// Appends `<table class="q-sheet">` for `sheet` and records in `used_styles` the styles its
/// cells use. A sheet without cells gives an empty table. Throws SheetError (kTooLarge) when the
/// used range holds more than kMaxTableCells cells.
void AppendHtmlTable(std::string& out, const SheetBuffer& sheet, const numfmt::CellText& text,
                     const HtmlTableOptions& options, std::set<std::uint32_t>& used_styles);

}  // namespace quorvex::sheet
