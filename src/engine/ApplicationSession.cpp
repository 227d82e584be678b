// One spreadsheet application instance owned by one operation, closed and quit on every path.
#include "engine/ApplicationSession.h"

#include <utility>

#include "automation/AutomationError.h"

namespace quorvex::engine {

ApplicationSession::ApplicationSession(const automation::ApplicationFactory& factory,
                                       const automation::WarningSink& warnings)
    : application_(factory(automation::kExcelApplication, warnings)) {
  if (!application_) {
    throw automation::AutomationError("The spreadsheet application could not be started");
  }
  running_ = true;
}

ApplicationSession::~ApplicationSession() {
  if (open_workbook_ != nullptr) {
    try {
      open_workbook_->Close();
    } catch (...) {
    }
  }
  if (running_) {
    try {
      application_->Quit();
    } catch (...) {
    }
  }
}

automation::Workbook& ApplicationSession::OpenWorkbook(const std::string& path) {
  open_workbook_ = &application_->WorkbooksOpen(path);
  application_->SetDisplayAlerts(false);
  return *open_workbook_;
}

void ApplicationSession::End() {
  if (automation::Workbook* workbook = std::exchange(open_workbook_, nullptr)) {
    workbook->Close();
  }
  if (std::exchange(running_, false)) {
    application_->Quit();
  }
}

}  // namespace quorvex::engine
