// Saves each selected worksheet of a workbook as one CSV or TXT file.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// Writes WorkbookOutputPath/<base>.csv or <base>.txt, as FormatIndex chooses (any position
/// other than CSV writes text), for every selected worksheet of workbook row `row`.
ExportResult ExportDelimited(EngineContext& context, int row);

}  // namespace quorvex::engine
