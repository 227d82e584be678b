// Reads the styles part of an .xlsb workbook: number formats, fonts, fills, borders and XFs.
#pragma once

#include "sheet/biff12/BinaryRecordReader.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet::biff12 {

/// Fills workbook.number_formats, fonts, fills, borders and cell_formats (the cell XFs, in
/// order). Throws SheetError when a record is damaged or there are implausibly many.
void ReadXlsbStyles(BinaryRecordReader& records, Workbook& workbook);

}  // namespace quorvex::sheet::biff12
