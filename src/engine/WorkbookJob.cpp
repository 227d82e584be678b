// One ticked workbook of a conversion run: its name and output path, its own state and controls.
#include "engine/WorkbookJob.h"

#include <cerrno>

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
// created is always this workbook's own. Leaves WorkbookOutputPath at the last candidate; returns
// 0 or the error that stopped it (EEXIST when a file holds the name).
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

ExportRoute RouteOf(const Controls& values) {
  return RouteFor(values.FormatIndex(), values.EntireWorkbook());
}

}  // namespace

WorkbookJob::WorkbookJob(EngineContext& run, const Controls& values, const std::atomic<bool>& run_aborted,
                         RunSignal& signal, int workbook_row)
    : row(workbook_row),
      name(CleanWorkbookName(values.WorkbookRowText(workbook_row))),
      controls(values, run.controls, run_aborted, signal),
      context{state, controls, run.application_factory, run.random} {
  state.table().CopyColumn(run.state.table(), row);
  state.SetOutputRoot(run.state.OutputRoot());
  state.SetReadSheetsFromWorkbook(run.state.ReadSheetsFromWorkbook());
}

std::string PlannedFileBase(const EngineState& state, const Controls& values, int row) {
  if (RouteOf(values).creates_folder) {
    return std::string();
  }
  return UniqueOutputPath(state.OutputRoot() + CleanWorkbookName(values.WorkbookRowText(row)));
}

void PrepareJob(WorkbookJob& job, const ExporterTable& exporters) {
  EngineState& state = job.state;
  job.controls.SetStatus("Convert " + job.name);
  state.SetWorkbookOutputPath(state.OutputRoot() + job.name);
  const ExportRoute route = RouteOf(job.controls);
  if (!route.creates_folder) {
    state.SetWorkbookOutputPath(UniqueOutputPath(state.WorkbookOutputPath()));
  }
  job.exports = false;
  job.result = ExportResult::kFailed;
  if (exporters.Find(route.slot) == nullptr) {
    job.cause = "the output format is not available";
    return;
  }
  if (route.creates_folder) {
    if (const int error = ClaimOutputFolder(state); error != 0) {
      job.cause = "Failed to create folder! " + state.WorkbookOutputPath() + ": " + SystemReason(error);
      job.controls.ShowMessage(job.cause, MessageIcon::kError);
      return;
    }
  }
  job.exports = true;
}

void ExportJob(WorkbookJob& job, const ExporterTable& exporters) {
  EngineState& state = job.state;
  state.tally() = ExportTally{};
  state.SetSequenceCounter(job.start_counter);
  job.cause.clear();
  job.error = nullptr;
  const ExportRoute route = RouteOf(job.controls);
  try {
    job.result = (*exporters.Find(route.slot))(job.context, job.row);
    if (route.progress_after_return) {
      job.controls.SetProgressValue(job.row);
    }
  } catch (...) {
    job.error = std::current_exception();
    return;
  }
  if (job.result == ExportResult::kNoWorkbookPath) {
    job.cause = "the workbook file was not found";
  } else if (job.result == ExportResult::kFailed) {
    job.cause = state.tally().failure_cause.empty() ? "the export failed" : state.tally().failure_cause;
  }
}

}  // namespace quorvex::engine
