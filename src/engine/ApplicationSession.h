// One spreadsheet application instance owned by one operation: started, a workbook opened, and
// the workbook closed and the instance quit on every path.
#pragma once

#include <memory>
#include <string>

#include "automation/Application.h"
#include "automation/ApplicationFactory.h"

namespace quorvex::engine {

/// The instance of one export, worksheet listing or start-up version read. The workbook it
/// opened is closed and the instance quit, each once: by End() when the operation succeeds
/// (their errors reach the caller), otherwise by the destructor (their errors ignored, so a
/// failing Close still lets the instance quit).
class ApplicationSession {
 public:
  /// Starts an instance of "Excel.Application" from `factory`, telling `warnings` (may be empty)
  /// about damage worked around in the workbook it opens; throws what the factory throws, or
  /// AutomationError when it gives no instance.
  ApplicationSession(const automation::ApplicationFactory& factory, const automation::WarningSink& warnings);
  ~ApplicationSession();
  ApplicationSession(const ApplicationSession&) = delete;
  ApplicationSession& operator=(const ApplicationSession&) = delete;

  automation::Application& application() { return *application_; }

  /// Opens the workbook at `path` and turns alerts off. The workbook stays the session's until
  /// End() or the destructor closes it.
  automation::Workbook& OpenWorkbook(const std::string& path);

  /// Closes the open workbook, if any, then quits the instance. A call that throws is not made
  /// again by the destructor; when Close throws, the destructor still quits.
  void End();

 private:
  std::unique_ptr<automation::Application> application_;
  automation::Workbook* open_workbook_ = nullptr;  // opened and not yet closed
  bool running_ = false;                           // started and not yet quit
};

}  // namespace quorvex::engine
