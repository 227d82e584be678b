// The frame every exporter runs in: resolve, start, open, work, close and quit, or fail cleanly.
#pragma once

#include <functional>
#include <string>

#include "automation/Application.h"
#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// One worksheet that the per-sheet loop hands to an exporter's sheet work.
struct SheetJob {
  int index = 0;           // 1-based position in the workbook's worksheets
  std::string sheet_name;  // from the sheet selection table, or as the application names it
  std::string base;        // MakeOutputName's result, without extension
  std::string folder;      // WorkbookOutputPath followed by '/'
};

/// The format-specific work for one sheet: true when it wrote a file, false when the sheet gave
/// none (an empty sheet); may throw (any std::exception ends the export).
using SheetWork = std::function<bool(automation::Workbook& workbook, const SheetJob& job)>;

/// The format-specific work for a whole workbook; `base` is WorkbookOutputPath as it stands.
using WorkbookWork = std::function<void(automation::Workbook& workbook, const std::string& base)>;

/// Exports workbook row `row` sheet by sheet: resolves its path (3 when it does not resolve),
/// starts a new application, opens the workbook, turns alerts off, runs `work` for every
/// worksheet the sheet selection table leaves ticked (all of them when its column is not
/// recorded), moves the progress bar, then closes and quits. On success the progress bar goes
/// back to 0 and SequenceCounter to 0. A cancel request stops it after the current sheet (4).
/// On a failure it shows the error's description with no icon, notes it as the tally's cause,
/// closes the workbook and quits the application (both always attempted) and returns 2. Files
/// written are counted in the state's tally.
ExportResult RunPerSheetExport(EngineContext& context, int row, const SheetWork& work);

/// Exports workbook row `row` in one step: the same frame without the per-sheet loop, the
/// progress bar or SequenceCounter; a successful `work` counts as one file.
ExportResult RunWholeWorkbookExport(EngineContext& context, int row, const WorkbookWork& work);

}  // namespace quorvex::engine
