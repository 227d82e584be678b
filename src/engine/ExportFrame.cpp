// The frame every exporter runs in: resolve, start, open, work, close and quit, or fail cleanly.
#include "engine/ExportFrame.h"

#include "engine/CloseAndQuit.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

#include "automation/AutomationError.h"
#include "engine/MakeOutputName.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

using automation::Application;
using automation::Workbook;

// The body of one export once the workbook is open; `folder` is where its files go (per-sheet)
// or the file base (whole workbook). False when it stopped early on a cancel request.
using FrameWork = std::function<bool(Workbook& workbook, const std::string& folder)>;

ExportResult ExportWorkbookFailure(EngineContext& context, const std::string& description, Workbook* workbook,
                                   Application* application) {
  context.controls.ShowMessage(description, MessageIcon::kNone);
  context.state.Tally().failure_cause = description;
  CloseAndQuitQuietly(workbook, application);
  return ExportResult::kFailed;
}

ExportResult RunFrame(EngineContext& context, int row, bool per_sheet, const FrameWork& work) {
  const std::string path = ResolveWorkbookPath(context.controls, row);
  if (path.empty()) {
    return ExportResult::kNoWorkbookPath;
  }
  const std::string folder =
      per_sheet ? context.state.WorkbookOutputPath() + kPathSeparator : context.state.WorkbookOutputPath();

  // The application owns the workbook; the pointers say what is still to be closed and quit.
  std::unique_ptr<Application> application;
  Workbook* open_workbook = nullptr;
  Application* running_application = nullptr;
  bool failed = false;
  bool finished = false;
  std::string description;
  try {
    application = context.application_factory(automation::kExcelApplication);
    if (!application) {
      throw automation::AutomationError("The spreadsheet application could not be started.");
    }
    running_application = application.get();
    open_workbook = &application->WorkbooksOpen(path);
    application->SetDisplayAlerts(false);

    finished = work(*open_workbook, folder);

    std::exchange(open_workbook, nullptr)->Close();
    std::exchange(running_application, nullptr)->Quit();
  } catch (const std::exception& error) {
    failed = true;
    description = error.what();
  } catch (...) {
    failed = true;
  }
  if (failed) {
    return ExportWorkbookFailure(context, description.empty() ? "An unknown error occurred." : description,
                                 open_workbook, running_application);
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
  const SheetSelectionTable& table = context.state.Table();
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
                              " worksheets, more than 32767.");
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
        ++context.state.Tally().files;
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
    ++context.state.Tally().files;
    return true;
  });
}

}  // namespace quorvex::engine
