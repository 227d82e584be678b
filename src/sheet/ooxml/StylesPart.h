// Reads the styles part: number format codes and the cell formats (cellXfs) cells refer to.
#pragma once

#include "sheet/container/XmlPullParser.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet::ooxml {

/// Fills workbook.number_formats from <numFmts> and workbook.cell_formats from <cellXfs>, in
/// order. Throws SheetError when the part is malformed or holds implausibly many formats.
void ReadStylesPart(container::XmlPullParser& parser, Workbook& workbook);

}  // namespace quorvex::sheet::ooxml
