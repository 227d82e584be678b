// Saves a whole workbook as one web page or one single-file web page.
#include "engine/SaveWorkbookWeb.h"

#include <string>

#include "engine/ExportFrame.h"
#include "engine/OutputFormats.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

ExportResult SaveWorkbookWeb(EngineContext& context, int row) {
  return RunWholeWorkbookExport(context, row, [&](automation::Workbook& workbook, const std::string& base) {
    const OutputFormat& format = OutputFormatFor(context.controls.FormatIndex(), ExportSlot::kWorkbookWeb);
    const std::string_view extension = ExtensionOf(format, context.controls.ShortExtension());
    workbook.SaveAs(FitFileName(base, std::string(extension)), format.save_as_code);
  });
}

}  // namespace quorvex::engine
