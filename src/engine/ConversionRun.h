// The conversion run behind the "Convert" button (Command6) and the Actions menu's "Convert".
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExporterTable.h"
#include "engine/RunSummary.h"

namespace quorvex::engine {

/// Converts every ticked workbook row into the selected format, one after another: checks the
/// list and the output directory, captures the shown sheet ticks, gives each workbook a unique
/// WorkbookOutputPath, calls its exporter and reports failed workbooks; opens OutputRoot in the
/// shell at the end and resets the status, progress bar and pointer. A per-sheet format gets its
/// folder created exclusively, so that runs going on at the same time never share one. A
/// format whose slot has no exporter in `exporters` fails every ticked workbook without writing
/// anything. A cancel request stops the run after the sheet being written. Returns what was
/// done; the run shows no summary itself.
RunSummary RunConversion(EngineContext& context, const ExporterTable& exporters);

}  // namespace quorvex::engine
