// Saves each selected worksheet of a workbook as one CSV or TXT file.
#include "engine/ExportDelimited.h"

#include <string>

#include "automation/FileFormat.h"
#include "engine/ExportFrame.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {
constexpr int kCsvFormatIndex = 0;
}  // namespace

ExportResult ExportDelimited(EngineContext& context, int row) {
  return RunPerSheetExport(context, row, [&](automation::Workbook& workbook, const SheetJob& job) {
    const bool csv = context.controls.FormatIndex() == kCsvFormatIndex;
    const std::string file = FitFileName(job.folder + job.base, csv ? ".csv" : ".txt");
    // Selected among the worksheets: n and the fallback names come from that collection too,
    // so a chart sheet in front cannot shift which sheet is saved under which name.
    workbook.WorksheetsSelect(job.index);
    workbook.SaveAs(file, csv ? automation::kCsv : automation::kText);
    return true;
  });
}

}  // namespace quorvex::engine
