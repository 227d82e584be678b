// Saves each selected worksheet of a workbook as one CSV or TXT file.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// Writes WorkbookOutputPath/<base>.csv (FormatIndex 0, code 6) or <base>.txt (any other
/// FormatIndex, code -4158) for every selected worksheet of workbook row `row`.
ExportResult ExportDelimited(EngineContext& context, int row);

}  // namespace quorvex::engine
