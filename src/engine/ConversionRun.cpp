// The conversion run behind the "Convert" button (Command6) and the Actions menu's "Convert".
#include "engine/ConversionRun.h"

#include <cerrno>
#include <string>

#include "engine/CaptureSheetSelection.h"
#include "engine/CheckOutputFolder.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

// The workbook's folder name: the row text without its last extension, spaces and dots.
std::string CleanWorkbookName(const std::string& row_text) {
  return RemoveSpacesAndDots(StripExtension(row_text));
}

// Appends 1, 2, 3... to the previous candidate while a folder holds the name: Book1 with
// Book1 and Book11 present gives Book112.
std::string UniqueOutputPath(std::string candidate) {
  int counter = 0;
  while (PathKind(candidate) == kFolderAtPath) {
    ++counter;
    candidate += std::to_string(counter);
  }
  return candidate;
}

// The unique-name rule applied by creating the folder: a candidate another folder holds (made
// earlier, or just now by a run going on at the same time) gets the next counter, so the folder
// created is always this run's own. Leaves WorkbookOutputPath at the last candidate; returns 0 or
// the error that stopped it (EEXIST when a file holds the name).
int ClaimOutputFolder(EngineState& state) {
  std::string candidate = state.WorkbookOutputPath();
  int counter = 0;
  for (;;) {
    const int error = MakeFolder(candidate);
    if (error != EEXIST || PathKind(candidate) != kFolderAtPath) {
      state.SetWorkbookOutputPath(candidate);
      return error;
    }
    ++counter;
    candidate += std::to_string(counter);
  }
}

// Converts one ticked row whose WorkbookOutputPath is the candidate name; fills `cause` when the
// workbook fails.
ExportResult ConvertRow(EngineContext& context, const ExporterTable& exporters, int row, std::string& cause) {
  EngineState& state = context.state;
  state.Tally() = ExportTally{};
  const ExportRoute route = RouteFor(context.controls.FormatIndex(), context.controls.EntireWorkbook());
  const Exporter* exporter = exporters.Find(route.slot);
  if (!route.creates_folder) {
    state.SetWorkbookOutputPath(UniqueOutputPath(state.WorkbookOutputPath()));
  }
  if (exporter == nullptr) {
    cause = "the output format is not available";
    return ExportResult::kFailed;
  }
  if (route.creates_folder) {
    if (const int error = ClaimOutputFolder(state); error != 0) {
      cause = "Failed to create folder! " + state.WorkbookOutputPath() + ": " + SystemReason(error);
      context.controls.ShowMessage(cause, MessageIcon::kError);
      return ExportResult::kFailed;
    }
  }
  const ExportResult result = (*exporter)(context, row);
  if (route.progress_after_return) {
    context.controls.SetProgressValue(row);
  }
  if (result == ExportResult::kNoWorkbookPath) {
    cause = "the workbook file was not found";
  } else if (result == ExportResult::kFailed) {
    cause = state.Tally().failure_cause.empty() ? "the export failed" : state.Tally().failure_cause;
  }
  return result;
}

RunSummary ConvertTickedRows(EngineContext& context, const ExporterTable& exporters) {
  Controls& controls = context.controls;
  EngineState& state = context.state;
  const int rows = controls.WorkbookRowCount();
  controls.SetProgressMax(rows);
  if (!CheckOutputFolder(state, controls)) {
    return {};
  }
  CaptureSheetSelection(state, controls);
  controls.SetBusy(true);

  RunSummary summary;
  summary.started = true;
  summary.output_root = state.OutputRoot();
  for (int row = 1; row <= rows; ++row) {
    if (!controls.WorkbookRowChecked(row)) {
      continue;
    }
    if (controls.CancelRequested()) {
      summary.cancelled = true;
      break;
    }
    state.SetWorkbookOutputPath(state.OutputRoot());
    const std::string name = CleanWorkbookName(controls.WorkbookRowText(row));
    controls.SetStatus("Convert " + name);
    state.SetWorkbookOutputPath(state.OutputRoot() + name);
    std::string cause;
    const ExportResult result = ConvertRow(context, exporters, row, cause);
    summary.files += state.Tally().files;
    if (result == ExportResult::kDone) {
      ++summary.converted;
    } else if (result == ExportResult::kCancelled) {
      summary.cancelled = true;
      break;
    } else {
      summary.failures.push_back({controls.WorkbookRowText(row), cause});
      controls.ShowMessage("Convert " + name + " file failed!", MessageIcon::kError);
    }
  }
  controls.OpenInShell(state.OutputRoot());
  return summary;
}

}  // namespace

RunSummary RunConversion(EngineContext& context, const ExporterTable& exporters) {
  Controls& controls = context.controls;
  RunSummary summary;
  if (controls.WorkbookRowCount() < 1) {
    controls.ShowMessage("Please select excel at fast!", MessageIcon::kInformation);
  } else {
    summary = ConvertTickedRows(context, exporters);
  }
  controls.SetStatus("");
  controls.SetProgressValue(0);
  controls.SetBusy(false);
  return summary;
}

}  // namespace quorvex::engine
