// What every exporter hands back to the conversion run.
#pragma once

namespace quorvex::engine {

/// 1 done; 2 failed after the exporter showed the error itself; 3 the workbook path did not
/// resolve, so nothing was started and nothing was shown; 4 the user cancelled the run, and the
/// exporter stopped after the sheet it was writing.
enum class ExportResult : int { kDone = 1, kFailed = 2, kNoWorkbookPath = 3, kCancelled = 4 };

}  // namespace quorvex::engine
