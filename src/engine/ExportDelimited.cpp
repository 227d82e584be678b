// Saves each selected worksheet of a workbook as one CSV or TXT file.
#include "engine/ExportDelimited.h"

#include <string>

#include "engine/ExportFrame.h"
#include "engine/OutputFormats.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

ExportResult ExportDelimited(EngineContext& context, int row) {
  return RunPerSheetExport(context, row, [&](automation::Workbook& workbook, const SheetJob& job) {
    const OutputFormat& format = OutputFormatFor(context.controls.FormatIndex(), ExportSlot::kDelimited);
    const std::string file = FitFileName(job.folder + job.base, std::string(format.extension));
    // Selected among the worksheets: n and the fallback names come from that collection too,
    // so a chart sheet in front cannot shift which sheet is saved under which name.
    workbook.WorksheetsSelect(job.index);
    workbook.SaveAs(file, format.save_as_code);
    return true;
  });
}

}  // namespace quorvex::engine
