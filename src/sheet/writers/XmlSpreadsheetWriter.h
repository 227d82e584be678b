// A whole workbook as an XML Spreadsheet 2003 (SpreadsheetML) document.
#pragma once

#include <string>

#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"

namespace quorvex::sheet {

/// Writes every worksheet of the workbook to `path` (replacing any file there): document
/// properties, one style per cell format used, and per sheet its columns, rows and cells with
/// typed data (Number, String, Boolean, DateTime, Error), merges and formulas in R1C1 form.
/// Characters XML 1.0 forbids are written as U+FFFD. Throws SheetError.
void SaveXmlSpreadsheet(WorkbookReader& reader, const numfmt::CellText& text, const std::string& path);

/// The document SaveXmlSpreadsheet writes, as text.
std::string XmlSpreadsheetDocument(WorkbookReader& reader, const numfmt::CellText& text);

}  // namespace quorvex::sheet
