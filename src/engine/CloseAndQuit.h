// Releasing a workbook and its application after a failure.
#pragma once

#include "automation/Application.h"

namespace quorvex::engine {

/// Closes `workbook` and quits `application` (either may be null), ignoring their errors so
/// that a failing Close still lets the application quit.
void CloseAndQuitQuietly(automation::Workbook* workbook, automation::Application* application);

}  // namespace quorvex::engine
