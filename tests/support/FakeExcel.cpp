// A scripted, recording stand-in for the spreadsheet application, shared by the engine tests.
#include "support/FakeExcel.h"

#include "automation/AutomationError.h"
#include "support/FakeApplication.h"

namespace quorvex::testing {

FakeExcel::FakeExcel() = default;
FakeExcel::~FakeExcel() = default;

void FakeExcel::AddWorkbook(const std::string& path, const std::vector<std::string>& worksheet_names) {
  std::vector<FakeSheet> sheets;
  for (const std::string& name : worksheet_names) {
    sheets.push_back(FakeSheet{name});
  }
  workbooks_[path] = sheets;
}

void FakeExcel::AddWorkbookSheets(const std::string& path, const std::vector<FakeSheet>& sheets) {
  workbooks_[path] = sheets;
}

void FakeExcel::AddNumberedWorkbook(const std::string& path, int count) {
  std::vector<FakeSheet> sheets(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    sheets[static_cast<std::size_t>(i)].name = "Sheet" + std::to_string(i + 1);
  }
  workbooks_[path] = std::move(sheets);
}

void FakeExcel::FailOn(const std::string& call, const std::string& description) {
  failures_[call] = description;
}

void FakeExcel::FailCreation(const std::string& description) {
  creation_failure_ = description;
}

automation::ApplicationFactory FakeExcel::Factory() {
  return [this](const std::string& prog_id,
                const automation::WarningSink&) -> std::unique_ptr<automation::Application> {
    Record("Create(" + prog_id + ")");
    if (!creation_failure_.empty()) {
      throw automation::AutomationError(creation_failure_);
    }
    ++creations_;
    return std::make_unique<FakeApplication>(*this);
  };
}

std::vector<std::string> FakeExcel::CallsWithoutReads() const {
  std::vector<std::string> kept;
  for (const std::string& call : calls_) {
    const bool name_read = call.starts_with("Worksheets(") && call.ends_with(").name");
    if (!name_read && call != "Worksheets.count") {
      kept.push_back(call);
    }
  }
  return kept;
}

void FakeExcel::Record(const std::string& call) {
  calls_.push_back(call);
  for (const auto& [pattern, description] : failures_) {
    const bool whole = call == pattern;
    const bool named = pattern.find('(') == std::string::npos && call.starts_with(pattern + "(");
    if (whole || named) {
      throw automation::AutomationError(description);
    }
  }
}

const std::vector<FakeSheet>& FakeExcel::SheetsOf(const std::string& path) const {
  const auto found = workbooks_.find(path);
  if (found == workbooks_.end()) {
    throw automation::AutomationError("'" + path + "' could not be found.");
  }
  return found->second;
}

}  // namespace quorvex::testing
