// The conversion run behind the "Convert" button (Command6) and the Actions menu's "Convert".
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExporterTable.h"
#include "engine/RunSummary.h"

namespace quorvex::engine {

/// The number of workbooks the front ends convert at once unless told otherwise: one per core.
int DefaultJobCount();

/// Converts every ticked workbook row into the selected format, `jobs` workbooks at a time: checks
/// the list and the output directory, captures the shown sheet ticks, gives each workbook a unique
/// WorkbookOutputPath, calls its exporter and reports failed workbooks; opens OutputRoot in the
/// shell at the end and resets the status, progress bar and pointer. Output names, numbered file
/// names, messages and progress are those of converting the workbooks one after another, shown
/// in input order; the exporters run on worker threads with their own state and controls (see
/// WorkbookPipeline), so `context`'s application factory, exporters and cancel check must be safe
/// to use from several threads when `jobs` > 1. A per-sheet format gets its folder created
/// exclusively, so that runs going on at the same time never share one. A format whose slot has
/// no exporter in `exporters` fails every ticked workbook without writing anything. A cancel
/// request starts no further workbook and stops the running ones after the sheet being written.
/// Returns what was done; the run shows no summary itself.
RunSummary RunConversion(EngineContext& context, const ExporterTable& exporters, int jobs = 1);

}  // namespace quorvex::engine
