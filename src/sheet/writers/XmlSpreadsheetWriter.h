// A whole workbook as an XML Spreadsheet 2003 (SpreadsheetML) document.
#pragma once

#include <string>

#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/OutputStream.h"

namespace quorvex::sheet {

/// Writes every worksheet of the workbook to `path` (replacing any file there): document
/// properties, one style per cell format the written cells use, and per sheet its columns, rows and cells
/// with typed data (Number, String, Boolean, DateTime, Error), merges and formulas in R1C1 form. Characters
/// XML 1.0 forbids are written as U+FFFD. Throws SheetError.
void SaveXmlSpreadsheet(WorkbookReader& reader, const numfmt::CellText& text, const std::string& path);

/// Writes the document SaveXmlSpreadsheet saves to `out`. Each sheet is read once; its cells wait
/// in a temporary file until the styles of every sheet are written.
void WriteXmlSpreadsheet(WorkbookReader& reader, const numfmt::CellText& text, OutputStream& out);

}  // namespace quorvex::sheet
