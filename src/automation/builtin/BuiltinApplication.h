// The built-in spreadsheet engine behind the application interface.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "automation/Application.h"

namespace quorvex::automation {

class BuiltinWorkbook;

/// An application instance of the built-in engine. It reports version 11.0, since it offers
/// every format and page type.
class BuiltinApplication : public Application {
 public:
  BuiltinApplication();
  ~BuiltinApplication() override;

  std::string Version() override;
  Workbook& WorkbooksOpen(const std::string& path) override;
  void SetDisplayAlerts(bool display) override;
  void Quit() override;

 private:
  void RequireRunning(const char* operation) const;

  bool running_ = true;
  bool display_alerts_ = true;
  std::vector<std::unique_ptr<BuiltinWorkbook>> workbooks_;
};

/// Creates applications for "Excel.Application"; any other identifier raises AutomationError.
std::unique_ptr<Application> CreateBuiltinApplication(const std::string& prog_id);

}  // namespace quorvex::automation
