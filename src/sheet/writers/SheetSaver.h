// Saves one sheet of an open workbook to a file in a text format.
#pragma once

#include <cstddef>
#include <string>

#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/TextEncoding.h"

namespace quorvex::sheet {

/// Writes the sheet at `position` as delimited text to `path` (replacing any file there),
/// covering the sheet's used range as its records give it (see UsedRangeBuilder). The usual
/// sheet, stored in row order with a true dimension, is written in one reading; otherwise a
/// second reading writes it, with cells stored out of order put in row order. The text is in
/// `encoding`; returns the number of characters it could not hold, written as '?'. Throws
/// SheetError.
std::size_t SaveDelimited(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                          const std::string& path, char delimiter,
                          TextEncoding encoding = TextEncoding::kUtf8);

}  // namespace quorvex::sheet
