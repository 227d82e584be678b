// Saves each selected, non-empty worksheet of a workbook as one dBASE IV, III or II table.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// Writes WorkbookOutputPath/<base>.dbf for every selected worksheet of workbook row `row`
/// whose used range is more than one empty top-left cell, with the SaveAs code of the chosen
/// dBASE format; a FormatIndex that is no dBASE format prepares each sheet but saves nothing.
/// An empty sheet still takes its output name, so with numbered names it leaves a gap.
ExportResult ExportDbf(EngineContext& context, int row);

}  // namespace quorvex::engine
