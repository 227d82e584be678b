// One sheet as an HTML table: displayed texts, merged cells as spans, sizes, hidden parts left out.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sheet/model/Workbook.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/writers/OutputStream.h"
#include "sheet/writers/SheetLayout.h"

namespace quorvex::sheet {

/// The most cells (rows times columns of the used range) one table may hold, so a sheet with a
/// far-off cell cannot make a page of unbounded size, and a browser can still open the page: one
/// of 1,000,000 cells already takes a headless browser over 5 GB and minutes to lay out.
inline constexpr std::uint64_t kMaxTableCells = 2'000'000;

struct HtmlTableOptions {
  /// Adds column letters and row numbers as headers, and on each cell its address (data-a),
  /// its column (data-c), a number's value (data-v) and its formula (data-f) for the page's
  /// script.
  bool interactive = false;
};

/// Prepares each kept cell's shown text, escaped, as the sheet is scanned, so that writing the
/// table only places it. `text` must outlive the scan.
SheetScan::Preparer HtmlCellPreparer(const numfmt::CellText& text);

/// Throws SheetError (kTooLarge) when the used range of `layout` holds more than kMaxTableCells
/// cells.
void CheckHtmlTableSize(const SheetLayout& layout);

/// Writes `<table class="q-sheet">` for the sheet whose layout is `layout` and whose cells `scan`
/// kept (CellKeeping::kAll); a sheet without cells gives an empty table. The table is streamed
/// row by row. Throws SheetError, kTooLarge as CheckHtmlTableSize.
void WriteHtmlTable(OutputStream& out, const SheetLayout& layout, SheetScan& scan,
                    const numfmt::CellText& text, const HtmlTableOptions& options);

/// The styles of the cells the table shows. Hidden rows and columns and merged areas hide
/// cells; only then are the kept cells gone through again to leave theirs out.
std::set<std::uint32_t> HtmlTableStyles(const SheetLayout& layout, SheetScan& scan);

}  // namespace quorvex::sheet
