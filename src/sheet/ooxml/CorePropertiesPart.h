// Reads the document's title and author from the core properties part (docProps/core.xml).
#pragma once

#include "sheet/container/XmlPullParser.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet::ooxml {

/// Sets workbook.title from <dc:title> and workbook.author from <dc:creator>. Throws SheetError
/// when the part is malformed.
void ReadCorePropertiesPart(container::XmlPullParser& parser, Workbook& workbook);

}  // namespace quorvex::sheet::ooxml
