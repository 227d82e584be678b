// Fills the worksheet list for the selected workbook row, from the table or the application.
#include "catalogue/ListWorksheets.h"

#include <exception>
#include <memory>
#include <utility>

#include "automation/AutomationError.h"
#include "engine/CaptureSheetSelection.h"
#include "engine/CloseAndQuit.h"
#include "engine/PathHelpers.h"

namespace quorvex::catalogue {

namespace {

using engine::SheetSelectionTable;

void RestoreFromTable(engine::EngineContext& context, int row) {
  const SheetSelectionTable& table = context.state.Table();
  for (int sheet = 1; sheet <= SheetSelectionTable::kMaxSheets; ++sheet) {
    const std::string name = table.Name(row, sheet);
    if (name.empty()) {
      break;
    }
    context.controls.AddWorksheetRow(name, table.Ticked(row, sheet));
  }
}

void ShowOpenFailure(engine::Controls& controls, const std::string& description) {
  controls.ShowMessage(description.empty() ? "An unknown error occurred." : description,
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
  // The application owns the workbook; the pointers say what is still to be closed and quit.
  std::unique_ptr<automation::Application> application;
  automation::Workbook* open_workbook = nullptr;
  automation::Application* running_application = nullptr;
  try {
    application = context.application_factory(automation::kExcelApplication);
    if (!application) {
      throw automation::AutomationError("The spreadsheet application could not be started.");
    }
    running_application = application.get();
    open_workbook = &application->WorkbooksOpen(path);
    application->SetDisplayAlerts(false);
    const int count = open_workbook->WorksheetsCount();
    for (int sheet = 1; sheet <= count; ++sheet) {
      on_sheet(sheet, open_workbook->WorksheetsName(sheet));
    }
    std::exchange(open_workbook, nullptr)->Close();
    std::exchange(running_application, nullptr)->Quit();
  } catch (...) {
    engine::CloseAndQuitQuietly(open_workbook, running_application);
    throw;
  }
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
      known = state.Table().IsRecorded(row);
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
          state.Table().Set(row, sheet, name, true);
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
