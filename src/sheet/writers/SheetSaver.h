// Saves one sheet of an open workbook to a file in a text format.
#pragma once

#include <cstddef>
#include <string>

#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"

namespace quorvex::sheet {

/// Writes the sheet at `position` as delimited text to `path` (replacing any file there).
/// The used range comes from the declared dimension when every cell lies inside it, otherwise
/// from a scan of the sheet. Throws SheetError.
void SaveDelimited(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                   const std::string& path, char delimiter);

}  // namespace quorvex::sheet
