// Saves a whole workbook as one XML Spreadsheet file.
#include "engine/SaveWorkbookXml.h"

#include <string>

#include "engine/ExportFrame.h"
#include "engine/OutputFormats.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

ExportResult SaveWorkbookXml(EngineContext& context, int row) {
  return RunWholeWorkbookExport(context, row, [&](automation::Workbook& workbook, const std::string& base) {
    const OutputFormat& format = OutputFormatFor(context.controls.FormatIndex(), ExportSlot::kWorkbookXml);
    workbook.SaveAs(FitFileName(base, std::string(format.extension)), format.save_as_code);
  });
}

}  // namespace quorvex::engine
