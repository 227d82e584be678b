// Reads where a sheet's comments are from its comments part.
#pragma once

#include "sheet/container/XmlPullParser.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::ooxml {

/// Reports the cell of every <comment ref> in a comments part (ECMA-376-1 §18.7.3) to the sink;
/// references that do not parse are skipped. Throws SheetError for malformed XML.
void ReadCommentsPart(container::XmlPullParser& parser, SheetSink& sink);

}  // namespace quorvex::sheet::ooxml
