// Copies the worksheet list's names and ticks into the sheet selection table.
#pragma once

#include "engine/Controls.h"
#include "engine/EngineState.h"

namespace quorvex::engine {

/// Stores rows 1..min(k, 5000) of the worksheet list under column CurrentWorkbookIndex; cells
/// below row k keep their values. Throws std::out_of_range only if CurrentWorkbookIndex is
/// outside 0..500, which no caller lets happen.
void CaptureSheetSelection(EngineState& state, const Controls& controls);

}  // namespace quorvex::engine
