// Opens a workbook file with the reader its first bytes call for.
#pragma once

#include <memory>
#include <string>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet {

/// Opens the workbook at `path`: a zip package gives the .xlsx/.xlsm reader. Throws SheetError:
/// kIo when the file cannot be read (with the system's reason), kPasswordProtected for encrypted
/// workbooks, kUnsupported for legacy .xls and binary .xlsb workbooks, kNotAWorkbook for anything
/// else, and whatever the reader reports while opening.
std::unique_ptr<WorkbookReader> OpenWorkbookFile(const std::string& path);

}  // namespace quorvex::sheet
