// Web pages of sheets and workbooks: self-contained HTML5 documents in UTF-8.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/OutputStream.h"

namespace quorvex::sheet {

/// What a sheet's page offers beyond its table.
enum class WebPageType : int {
  kStatic = 0,       // the table only
  kSpreadsheet = 1,  // sorting by column, filter, find and a formula bar
  kPivotTable = 2,   // a pivot view of the table, its first row naming the fields
};

/// Writes the page of the sheet at `position` to `out`; `title` goes into <title> and, when not
/// empty, a heading. The sheet is read once; its cells wait in a temporary file while the style
/// sheet is written. Throws SheetError.
void WriteSheetPage(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                    const std::string& title, WebPageType type, OutputStream& out);

/// Writes one page holding every visible worksheet of the workbook, with a tab per sheet; the
/// tab of the active sheet is chosen first. Throws SheetError.
void WriteWorkbookPage(WorkbookReader& reader, const numfmt::CellText& text, const std::string& title,
                       OutputStream& out);

/// Writes to `path` the page `write` writes, as it is or as a single-file web page (MIME
/// multipart/related) when `single_file` is set; replaces any file there only once the page is
/// complete. Throws SheetError.
void SaveWebPage(const std::string& path, bool single_file, const std::function<void(OutputStream&)>& write);

}  // namespace quorvex::sheet
