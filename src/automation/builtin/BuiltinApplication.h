// The built-in spreadsheet engine behind the application interface.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/Application.h"
#include "automation/ApplicationFactory.h"
#include "automation/SaveOptions.h"

namespace quorvex::automation {

class BuiltinWorkbook;

/// An application instance of the built-in engine. It reports version 11.0, since it offers
/// every format and page type.
class BuiltinApplication : public Application {
 public:
  /// `warnings` hears about damage the engine worked around and characters a save could not
  /// encode (it may be empty); `options` say how saved files hold their text.
  explicit BuiltinApplication(WarningSink warnings = {}, SaveOptions options = {});
  ~BuiltinApplication() override;

  std::string Version() override;
  Workbook& WorkbooksOpen(const std::string& path) override;
  void SetDisplayAlerts(bool display) override;
  void Quit() override;

 private:
  void RequireRunning(const char* operation) const;

  bool running_ = true;
  bool display_alerts_ = true;
  WarningSink warnings_;
  SaveOptions options_;
  std::vector<std::unique_ptr<BuiltinWorkbook>> workbooks_;
};

/// Creates applications for "Excel.Application" that tell `warnings` (when not empty) about damage
/// they work around in the workbooks they open; any other identifier raises AutomationError. It
/// serves as the program's ApplicationFactory.
std::unique_ptr<Application> CreateBuiltinApplication(const std::string& prog_id,
                                                      const WarningSink& warnings = {});

/// A factory like CreateBuiltinApplication whose applications save text as `options` say.
ApplicationFactory BuiltinApplicationFactory(SaveOptions options);

}  // namespace quorvex::automation
