// Application instances of the built-in engine.
#include "automation/builtin/BuiltinApplication.h"

#include <algorithm>
#include <cctype>

#include "automation/ApplicationFactory.h"
#include "automation/AutomationError.h"
#include "automation/builtin/BuiltinWorkbook.h"

namespace quorvex::automation {
namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

BuiltinApplication::BuiltinApplication(WarningSink warnings, SaveOptions options)
    : warnings_(std::move(warnings)), options_(options) {}
BuiltinApplication::~BuiltinApplication() = default;

std::string BuiltinApplication::Version() {
  RequireRunning("Version");
  return "11.0";
}

Workbook& BuiltinApplication::WorkbooksOpen(const std::string& path) {
  RequireRunning("Workbooks.Open");
  workbooks_.push_back(std::make_unique<BuiltinWorkbook>(path, display_alerts_, warnings_, options_));
  return *workbooks_.back();
}

void BuiltinApplication::SetDisplayAlerts(bool display) {
  RequireRunning("DisplayAlerts");
  display_alerts_ = display;
  for (auto& workbook : workbooks_) workbook->SetDisplayAlerts(display);
}

void BuiltinApplication::Quit() {
  workbooks_.clear();
  running_ = false;
}

void BuiltinApplication::RequireRunning(const char* operation) const {
  if (!running_) throw AutomationError(std::string(operation) + " failed: the application has quit.");
}

std::unique_ptr<Application> CreateBuiltinApplication(const std::string& prog_id,
                                                      const WarningSink& warnings) {
  return BuiltinApplicationFactory({})(prog_id, warnings);
}

ApplicationFactory BuiltinApplicationFactory(SaveOptions options) {
  return [options](const std::string& prog_id, const WarningSink& warnings) -> std::unique_ptr<Application> {
    if (!EqualsIgnoringCase(prog_id, kExcelApplication)) {
      throw AutomationError("Cannot create the object \"" + prog_id + "\": no such application.");
    }
    return std::make_unique<BuiltinApplication>(warnings, options);
  };
}

}  // namespace quorvex::automation
