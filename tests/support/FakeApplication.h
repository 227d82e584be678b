// One fake spreadsheet application instance: opens scripted workbooks and logs every call.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "automation/Application.h"
#include "support/FakeExcel.h"

namespace quorvex::testing {

class FakeWorkbook;

class FakeApplication : public automation::Application {
 public:
  explicit FakeApplication(FakeExcel& excel);
  ~FakeApplication() override;

  std::string Version() override;
  automation::Workbook& WorkbooksOpen(const std::string& path) override;
  void SetDisplayAlerts(bool display) override;
  void Quit() override;

 private:
  FakeExcel& excel_;
  std::vector<std::unique_ptr<FakeWorkbook>> workbooks_;
};

}  // namespace quorvex::testing
