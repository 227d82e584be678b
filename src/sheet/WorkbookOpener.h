// Opens a workbook file with the reader its first bytes call for.
#pragma once

#include <memory>
#include <string>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet {

/// Opens the workbook at `path`: a zip package gives the .xlsx/.xlsm reader, or the .xlsb reader
/// when its main part is binary; a compound file gives the .xls reader, a BIFF2-4 record stream
/// (Excel 2.x-4.0) the reader of those. Throws SheetError: kIo
/// when the file cannot be read (with the system's reason), kPasswordProtected for encrypted
/// workbooks (an encrypted package or a FILEPASS record), kNotAWorkbook for a compound file
/// without a workbook stream and for anything else, and whatever the reader reports while opening.
std::unique_ptr<WorkbookReader> OpenWorkbookFile(const std::string& path);

}  // namespace quorvex::sheet
