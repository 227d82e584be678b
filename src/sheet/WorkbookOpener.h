// Opens a workbook, from a file or memory, with the reader its first bytes call for.
#pragma once

#include <memory>
#include <string>

#include "sheet/container/RandomAccessSource.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet {

/// Opens the workbook `source` holds: a zip package gives the .xlsx/.xlsm reader, or the .xlsb reader
/// when its main part is binary; a compound file gives the .xls reader, a BIFF2-4 record stream
/// (Excel 2.x-4.0) the reader of those, its sheet named after the source's name. The reader keeps
/// the source. Throws SheetError: kIo when the source cannot be read (with the system's reason),
/// kPasswordProtected for encrypted workbooks (an encrypted package or a FILEPASS record),
/// kNotAWorkbook for a compound file without a workbook stream and for anything else, and
/// whatever the reader reports while opening.
std::unique_ptr<WorkbookReader> OpenWorkbook(std::unique_ptr<const container::RandomAccessSource> source);

/// OpenWorkbook on the file at `path`, which is opened once for both the signature and the reader.
std::unique_ptr<WorkbookReader> OpenWorkbookFile(const std::string& path);

}  // namespace quorvex::sheet
