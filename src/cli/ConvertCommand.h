// `quorvex convert`: each input converted as the window converts a selected input entry.
#pragma once

#include "automation/ApplicationFactory.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleControls.h"

namespace quorvex::cli {

/// Converts every input in turn. Returns 0 when everything was converted, 1 when any workbook
/// failed, an input was missing or the output directory could not be used.
int RunConvert(const ConvertOptions& options, ConsoleControls& controls,
               const automation::ApplicationFactory& factory);

}  // namespace quorvex::cli
