// Copies the worksheet list's names and ticks into the sheet selection table.
#include "engine/CaptureSheetSelection.h"

#include <algorithm>

namespace quorvex::engine {

void CaptureSheetSelection(EngineState& state, const Controls& controls) {
  const int rows = std::min(controls.WorksheetRowCount(), SheetSelectionTable::kMaxSheets);
  const int column = state.CurrentWorkbookIndex();
  for (int sheet = 1; sheet <= rows; ++sheet) {
    state.table().Set(column, sheet, controls.WorksheetRowText(sheet), controls.WorksheetRowChecked(sheet));
  }
}

}  // namespace quorvex::engine
