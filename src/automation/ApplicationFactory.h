// Creates spreadsheet application instances by their programmatic identifier.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "automation/Application.h"

namespace quorvex::automation {

inline constexpr const char* kExcelApplication = "Excel.Application";

/// Starts a new application instance for a programmatic identifier; throws AutomationError when
/// none can be created. Tests pass their own factory in place of the built-in one.
using ApplicationFactory = std::function<std::unique_ptr<Application>(const std::string& prog_id)>;

}  // namespace quorvex::automation
