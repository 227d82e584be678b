// The conversion run behind the "Convert" button (Command6) and the Actions menu's "Convert".
#include "engine/ConversionRun.h"

#include <filesystem>
#include <string>
#include <system_error>

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

bool CreateOutputFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directory(path, error);
  return !error && PathKind(path) == kFolderAtPath;
}

// Converts one ticked row; true when the workbook was converted.
bool ConvertRow(EngineContext& context, const ExporterTable& exporters, int row, const std::string& name) {
  EngineState& state = context.state;
  state.SetWorkbookOutputPath(UniqueOutputPath(state.OutputRoot() + name));

  const ExportRoute route = RouteFor(context.controls.FormatIndex(), context.controls.EntireWorkbook());
  const Exporter* exporter = exporters.Find(route.slot);
  if (exporter == nullptr) {
    return false;
  }
  if (route.creates_folder && !CreateOutputFolder(state.WorkbookOutputPath())) {
    return false;
  }
  const ExportResult result = (*exporter)(context, row);
  if (route.progress_after_return) {
    context.controls.SetProgressValue(row);
  }
  return result == ExportResult::kDone;
}

void ConvertTickedRows(EngineContext& context, const ExporterTable& exporters) {
  Controls& controls = context.controls;
  const int rows = controls.WorkbookRowCount();
  controls.SetProgressMax(rows);
  if (!CheckOutputFolder(context.state, controls)) {
    return;
  }
  CaptureSheetSelection(context.state, controls);
  controls.SetBusy(true);

  for (int row = 1; row <= rows; ++row) {
    if (!controls.WorkbookRowChecked(row)) {
      continue;
    }
    context.state.SetWorkbookOutputPath(context.state.OutputRoot());
    const std::string name = CleanWorkbookName(controls.WorkbookRowText(row));
    controls.SetStatus("Convert " + name);
    if (!ConvertRow(context, exporters, row, name)) {
      controls.ShowMessage("Convert " + name + " file failed!", MessageIcon::kError);
    }
  }
  controls.OpenInShell(context.state.OutputRoot());
}

}  // namespace

void RunConversion(EngineContext& context, const ExporterTable& exporters) {
  Controls& controls = context.controls;
  if (controls.WorkbookRowCount() < 1) {
    controls.ShowMessage("Please select excel at fast!", MessageIcon::kInformation);
  } else {
    ConvertTickedRows(context, exporters);
  }
  controls.SetStatus("");
  controls.SetProgressValue(0);
  controls.SetBusy(false);
}

}  // namespace quorvex::engine
