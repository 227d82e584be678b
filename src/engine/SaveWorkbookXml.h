// Saves a whole workbook as one XML Spreadsheet file.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// The XML Spreadsheet exporter: saves the workbook to WorkbookOutputPath + ".xml" with code 46.
/// Returns the ExportResult.
ExportResult SaveWorkbookXml(EngineContext& context, int row);

}  // namespace quorvex::engine
