// Saves a whole workbook as one web page or one single-file web page.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// The whole-workbook web exporter: saves the workbook to WorkbookOutputPath + ".htm"/".html"
/// as a web page when FormatIndex chooses one, else ".mht"/".mhtml" as a single-file web page;
/// the short extension when ShortExtension is set. Returns the ExportResult.
ExportResult SaveWorkbookWeb(EngineContext& context, int row);

}  // namespace quorvex::engine
