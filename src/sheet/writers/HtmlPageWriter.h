// Web pages of sheets and workbooks: self-contained HTML5 documents in UTF-8.
#pragma once

#include <cstddef>
#include <string>

#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"

namespace quorvex::sheet {

/// What a sheet's page offers beyond its table.
enum class WebPageType : int {
  kStatic = 0,       // the table only
  kSpreadsheet = 1,  // sorting by column, filter, find and a formula bar
  kPivotTable = 2,   // a pivot view of the table, its first row naming the fields
};

/// The page of the sheet at `position`; `title` goes into <title> and, when not empty, a heading.
/// Throws SheetError.
std::string SheetPage(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                      const std::string& title, WebPageType type);

/// One page holding every visible worksheet of the workbook, with a tab per sheet; the tab of
/// the active sheet is chosen first. Throws SheetError.
std::string WorkbookPage(WorkbookReader& reader, const numfmt::CellText& text, const std::string& title);

/// Writes `html` to `path` as it is, or as a single-file web page (MIME multipart/related) when
/// `single_file` is set; replaces any file there. Throws SheetError.
void SaveWebPage(const std::string& html, const std::string& path, bool single_file);

}  // namespace quorvex::sheet
