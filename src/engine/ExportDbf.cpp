// Saves each selected, non-empty worksheet of a workbook as one dBASE IV, III or II table.
#include "engine/ExportDbf.h"

#include <string>

#include "engine/ExportFrame.h"
#include "engine/OutputFormats.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

ExportResult ExportDbf(EngineContext& context, int row) {
  return RunPerSheetExport(context, row, [&](automation::Workbook& workbook, const SheetJob& job) {
    // The frame has already taken the output name, so an empty sheet uses up its number too.
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
    // A position that is no dBASE format prepares the sheet but saves nothing.
    const OutputFormat* format = OutputFormatServedBy(context.controls.FormatIndex(), ExportSlot::kDbf);
    if (format != nullptr) {
      sheet.SaveAs(FitFileName(job.folder + job.base, std::string(format->extension)), format->save_as_code);
    }
    return format != nullptr;
  });
}

}  // namespace quorvex::engine
