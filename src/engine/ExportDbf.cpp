// Saves each selected, non-empty worksheet of a workbook as one dBASE IV, III or II table.
#include "engine/ExportDbf.h"

#include <optional>
#include <string>

#include "automation/FileFormat.h"
#include "engine/ExportFrame.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

/// The SaveAs code of a "File Format" position, or nothing when it is not a dBASE entry.
std::optional<int> DbfFileFormat(int format_index) {
  switch (format_index) {
    case 5: return automation::kDbf4;
    case 6: return automation::kDbf3;
    case 7: return automation::kDbf2;
    default: return std::nullopt;
  }
}

}  // namespace

ExportResult ExportDbf(EngineContext& context, int row) {
  return RunPerSheetExport(context, row, [&](automation::Workbook& workbook, const SheetJob& job) {
    // The frame has already taken the output name, so an empty sheet uses up its number too.
    const std::string file = FitFileName(job.folder + job.base, ".dbf");
    automation::Worksheet& sheet = workbook.Worksheets(job.index);
    sheet.Activate();
    const int rows = sheet.UsedRangeRowsCount();
    const int columns = sheet.UsedRangeColumnsCount();
    // The top-left cell is read for every sheet, then the test applies only to a one-cell used
    // range. It reads the sheet's own A1, so a lone cell elsewhere counts as empty too.
    const bool top_left_empty = sheet.Cells(1, 1).EqualsEmptyString();
    if (rows == 1 && columns == 1 && top_left_empty) {
      return false;
    }
    const std::string first = sheet.UsedRangeCellAddress(1, 1);
    const std::string last = sheet.UsedRangeCellAddress(rows, columns);
    sheet.ColumnsAutoFit();
    sheet.RangeSelect(first, last);
    const std::optional<int> code = DbfFileFormat(context.controls.FormatIndex());
    if (code) {
      sheet.SaveAs(file, *code);
    }
    return code.has_value();
  });
}

}  // namespace quorvex::engine
