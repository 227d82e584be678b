// One fake spreadsheet application instance: opens scripted workbooks and logs every call.
#include "support/FakeApplication.h"

#include "support/FakeWorkbook.h"

namespace quorvex::testing {

FakeApplication::FakeApplication(FakeExcel& excel) : excel_(excel) {}

FakeApplication::~FakeApplication() = default;

std::string FakeApplication::Version() {
  excel_.Record("Version");
  return excel_.version();
}

automation::Workbook& FakeApplication::WorkbooksOpen(const std::string& path) {
  excel_.Record("Workbooks.Open(" + path + ")");
  workbooks_.push_back(std::make_unique<FakeWorkbook>(excel_, excel_.SheetsOf(path)));
  return *workbooks_.back();
}

void FakeApplication::SetDisplayAlerts(bool display) {
  excel_.Record(display ? "DisplayAlerts=True" : "DisplayAlerts=False");
}

void FakeApplication::Quit() {
  excel_.Record("Quit");
  excel_.CountQuit();
}

}  // namespace quorvex::testing
