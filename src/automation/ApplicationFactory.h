// Creates spreadsheet application instances by their programmatic identifier.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "automation/Application.h"

namespace quorvex::automation {

inline constexpr const char* kExcelApplication = "Excel.Application";

/// Receives a sentence about damage in a workbook that was worked around.
using WarningSink = std::function<void(const std::string& text)>;

/// Starts a new application instance for a programmatic identifier, telling `warnings` (which may
/// be empty) about damage it works around in the workbooks it opens; throws AutomationError when
/// none can be created. Tests pass their own factory in place of the built-in one. Each caller
/// passes its own sink, so that workbooks converted at the same time keep their warnings apart.
using ApplicationFactory =
    std::function<std::unique_ptr<Application>(const std::string& prog_id, const WarningSink& warnings)>;

}  // namespace quorvex::automation
