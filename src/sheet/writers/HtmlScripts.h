// The style sheets and scripts embedded in the web pages: no page loads anything from elsewhere.
#pragma once

#include <string_view>

namespace quorvex::sheet {

/// Base rules of every page: the sheet table, general alignment of numbers and booleans.
std::string_view BasePageCss();
/// Sheet tabs of a whole-workbook page: one exclusive <details> element per sheet whose summary
/// is drawn as a tab below the sheet, so the tabs work where scripts and form controls do not,
/// as in single-file pages. Browsers without ::details-content show the sheets as an accordion.
std::string_view WorkbookTabsCss();
/// Toolbar, headers, selection and formula bar of the interactive spreadsheet page.
std::string_view InteractiveCss();
/// Sorting by a column header, filtering, find, and the formula bar.
std::string_view SpreadsheetScript();
/// The pivot view over the sheet's table: row, column and value fields with sum, count, average.
std::string_view PivotScript();

}  // namespace quorvex::sheet
