// The frame every exporter runs in: resolve, start, open, work, close and quit, or fail cleanly.
#include "engine/ExportFrame.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <optional>
#include <stdexcept>

#include "engine/ApplicationSession.h"
#include "engine/MakeOutputName.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

using automation::Workbook;

// The body of one export once the workbook is open; `folder` is where its files go (per-sheet)
// or the file base (whole workbook). False when it stopped early on a cancel request.
using FrameWork = std::function<bool(Workbook& workbook, const std::string& folder)>;

// Shows the failure with no icon and notes it as the tally's cause; the caller's session then
// closes the workbook and quits, after the message, as every exporter's failure path does.
ExportResult ExportWorkbookFailure(EngineContext& context, const std::string& description) {
  context.controls.ShowMessage(description, MessageIcon::kNone);
  context.state.tally().failure_cause = description;
  return ExportResult::kFailed;
}

ExportResult RunFrame(EngineContext& context, int row, bool per_sheet, const FrameWork& work) {
  const std::string path = ResolveWorkbookPath(context.controls, row);
  if (path.empty()) {
    return ExportResult::kNoWorkbookPath;
  }
  const std::string folder =
      per_sheet ? context.state.WorkbookOutputPath() + kPathSeparator : context.state.WorkbookOutputPath();

  // Outside the try, so that a failure is shown while the workbook is still open.
  std::optional<ApplicationSession> session;
  bool failed = false;
  bool finished = false;
  std::string description;
  try {
    session.emplace(context.application_factory,
                    [&context](const std::string& text) { context.controls.ShowWarning(text); });
    finished = work(session->OpenWorkbook(path), folder);
    session->End();
  } catch (const std::exception& error) {
    failed = true;
    description = error.what();
  } catch (...) {
    failed = true;
  }
  if (failed) {
    const ExportResult result =
        ExportWorkbookFailure(context, description.empty() ? "An unknown error occurred" : description);
    session.reset();
    return result;
  }
  if (per_sheet) {
    context.controls.SetProgressValue(0);
  }
  if (!finished) {
    return ExportResult::kCancelled;
  }
  if (per_sheet) {
    context.state.SetSequenceCounter(0);
  }
  return ExportResult::kDone;
}

// The name to export sheet `index` under, or false when the table leaves the sheet unticked.
bool ChooseSheet(EngineContext& context, int row, int index, Workbook& workbook, std::string& sheet_name) {
  const SheetSelectionTable& table = context.state.table();
  if (table.IsRecorded(row) && index <= SheetSelectionTable::kMaxSheets) {
    if (!table.Ticked(row, index)) {
      return false;
    }
    sheet_name = table.Name(row, index);
    return true;
  }
  sheet_name = workbook.WorksheetsName(index);
  return true;
}

// False when a cancel request stopped the loop after a sheet.
bool RunSheetLoop(EngineContext& context, int row, Workbook& workbook, const std::string& folder,
                  const SheetWork& work) {
  const int count = workbook.WorksheetsCount();
  if (count <= 0) {
    return true;
  }
  context.controls.SetProgressMax(count);
  // Sheets are counted with a 16-bit number, as the application's sheet indices are; the bar
  // already shows the count when a workbook too large for it fails.
  if (count > std::numeric_limits<std::int16_t>::max()) {
    throw std::overflow_error("Overflow: the workbook has " + std::to_string(count) +
                              " worksheets, more than 32767");
  }
  for (int index = 1; index <= count; ++index) {
    std::string sheet_name;
    if (ChooseSheet(context, row, index, workbook, sheet_name)) {
      SheetJob job;
      job.index = index;
      job.sheet_name = sheet_name;
      job.base = MakeOutputName(context, row, sheet_name);
      job.folder = folder;
      if (work(workbook, job)) {
        ++context.state.tally().files;
      }
    }
    context.controls.SetProgressValue(index);
    if (index < count && context.controls.CancelRequested()) {
      return false;
    }
  }
  return true;
}

}  // namespace

ExportResult RunPerSheetExport(EngineContext& context, int row, const SheetWork& work) {
  return RunFrame(context, row, true, [&](Workbook& workbook, const std::string& folder) {
    return RunSheetLoop(context, row, workbook, folder, work);
  });
}

ExportResult RunWholeWorkbookExport(EngineContext& context, int row, const WorkbookWork& work) {
  return RunFrame(context, row, false, [&](Workbook& workbook, const std::string& base) {
    work(workbook, base);
    ++context.state.tally().files;
    return true;
  });
}

}  // namespace quorvex::engine
