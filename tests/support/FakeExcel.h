// A scripted, recording stand-in for the spreadsheet application, shared by the engine tests.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/ApplicationFactory.h"
#include "automation/Variant.h"

namespace quorvex::testing {

/// One sheet of a scripted workbook. Chart sheets are in the workbook's Sheets collection but
/// not in its Worksheets collection.
struct FakeSheet {
  FakeSheet() = default;
  explicit FakeSheet(std::string sheet_name, bool worksheet = true)
      : name(std::move(sheet_name)), is_worksheet(worksheet) {}

  std::string name;
  bool is_worksheet = true;
  int used_rows = 1;
  int used_columns = 1;
  automation::Variant top_left;  // the sheet's own cell (1, 1); empty unless scripted
};

/// The world the fake applications live in: scripted workbooks by path, one log of every call
/// made by every instance (in the form "Workbooks.Open(/x/a.xlsx)", "DisplayAlerts=False",
/// "Worksheets.count", "Worksheets(2).name", "Sheets(1).Select", "SaveAs(/out/A/S.csv, 6)",
/// "Close", "Quit"), and failure rules that make a named call throw AutomationError.
class FakeExcel {
 public:
  FakeExcel();
  ~FakeExcel();
  FakeExcel(const FakeExcel&) = delete;
  FakeExcel& operator=(const FakeExcel&) = delete;

  /// A workbook at `path` whose sheets are all worksheets with these names.
  void AddWorkbook(const std::string& path, const std::vector<std::string>& worksheet_names);
  /// A workbook at `path` with exactly these sheets, chart sheets included.
  void AddWorkbookSheets(const std::string& path, const std::vector<FakeSheet>& sheets);
  /// A workbook at `path` with `count` worksheets named "Sheet1", "Sheet2", ...
  void AddNumberedWorkbook(const std::string& path, int count);

  /// Makes calls throw AutomationError(description): a call whose log text equals `call`, or,
  /// when `call` holds no '(', every call whose log text is `call` followed by "(...)".
  void FailOn(const std::string& call, const std::string& description);
  /// Makes the factory throw AutomationError(description) instead of creating an instance.
  void FailCreation(const std::string& description);

  /// The text every instance reports as its Version; "11.0" unless set.
  void SetVersion(const std::string& version) { version_ = version; }
  const std::string& version() const { return version_; }

  /// A factory handing out new instances; each creation is logged as "Create(<prog id>)".
  automation::ApplicationFactory Factory();

  const std::vector<std::string>& calls() const { return calls_; }
  /// The log without "Worksheets(i).name" and "Worksheets.count" reads, for order checks.
  std::vector<std::string> CallsWithoutReads() const;
  void ClearCalls() { calls_.clear(); }
  int creations() const { return creations_; }
  int quits() const { return quits_; }

  // Used by the fake objects.
  /// Logs `call`, then throws when a failure rule matches it.
  void Record(const std::string& call);
  void CountQuit() { ++quits_; }
  /// The scripted sheets of `path`; throws AutomationError like the application when unknown.
  const std::vector<FakeSheet>& SheetsOf(const std::string& path) const;

 private:
  std::map<std::string, std::vector<FakeSheet>> workbooks_;
  std::map<std::string, std::string> failures_;
  std::string creation_failure_;
  std::string version_ = "11.0";
  std::vector<std::string> calls_;
  int creations_ = 0;
  int quits_ = 0;
};

}  // namespace quorvex::testing
