// Fills the worksheet list for the selected workbook row, from the table or the application.
#include "catalogue/ListWorksheets.h"

#include <exception>

#include "engine/ApplicationSession.h"
#include "engine/CaptureSheetSelection.h"
#include "engine/PathHelpers.h"

namespace quorvex::catalogue {

namespace {

using engine::SheetSelectionTable;

void RestoreFromTable(engine::EngineContext& context, int row) {
  const SheetSelectionTable& table = context.state.table();
  for (int sheet = 1; sheet <= SheetSelectionTable::kMaxSheets; ++sheet) {
    const std::string name = table.Name(row, sheet);
    if (name.empty()) {
      break;
    }
    context.controls.AddWorksheetRow(name, table.Ticked(row, sheet));
  }
}

void ShowOpenFailure(engine::Controls& controls, const std::string& description) {
  controls.ShowMessage(description.empty() ? "An unknown error occurred" : description,
                       engine::MessageIcon::kError);
  controls.ShowMessage("Excel file open failed!", engine::MessageIcon::kError);
}

}  // namespace

std::string ResolveSelectedWorkbookPath(const engine::Controls& controls) {
  const std::string name = controls.WorkbookRowCount() > 0
                               ? controls.WorkbookRowText(controls.SelectedWorkbookRow())
                               : std::string();
  return engine::ResolveWorkbookFile(controls.SelectedInputEntry(), name);
}

void ReadWorksheetNames(engine::EngineContext& context, const std::string& path, const NameReader& on_sheet) {
  engine::ApplicationSession session(context.application_factory, [&context](const std::string& text) {
    context.controls.ShowWarning(text);
  });
  automation::Workbook& workbook = session.OpenWorkbook(path);
  const int count = workbook.WorksheetsCount();
  for (int sheet = 1; sheet <= count; ++sheet) {
    on_sheet(sheet, workbook.WorksheetsName(sheet));
  }
  session.End();
}

void ListWorksheets(engine::EngineContext& context) {
  const std::string path = ResolveSelectedWorkbookPath(context.controls);
  if (path.empty()) {
    return;
  }
  engine::EngineState& state = context.state;
  engine::Controls& controls = context.controls;
  try {
    const int row = controls.SelectedWorkbookRow();
    bool known = false;
    if (!state.ReadSheetsFromWorkbook()) {
      // Read before capturing: clicking the shown row must see its column as it was.
      known = state.table().IsRecorded(row);
      engine::CaptureSheetSelection(state, controls);
    }
    state.SetCurrentWorkbookIndex(row);
    controls.ClearWorksheetRows();

    if (known) {
      RestoreFromTable(context, row);
    } else {
      ReadWorksheetNames(context, path, [&](int sheet, const std::string& name) {
        controls.AddWorksheetRow(name, true);
        if (sheet <= SheetSelectionTable::kMaxSheets) {
          state.table().Set(row, sheet, name, true);
        }
      });
    }
    controls.RepaintWorksheetRows();
  } catch (const std::exception& error) {
    ShowOpenFailure(controls, error.what());
  } catch (...) {
    ShowOpenFailure(controls, "");
  }
}

void WorkbookListItemClick(engine::EngineContext& context) {
  context.controls.SetBusy(true);
  context.state.SetReadSheetsFromWorkbook(false);
  ListWorksheets(context);
  context.state.SetReadSheetsFromWorkbook(true);
  context.controls.SetBusy(false);
}

}  // namespace quorvex::catalogue
