// Saves a whole workbook as one web page or one single-file web page.
#include "engine/SaveWorkbookWeb.h"

#include <string>

#include "automation/FileFormat.h"
#include "engine/ExportFrame.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {
constexpr int kHtmlFormatIndex = 2;
}  // namespace

ExportResult SaveWorkbookWeb(EngineContext& context, int row) {
  return RunWholeWorkbookExport(context, row, [&](automation::Workbook& workbook, const std::string& base) {
    const bool html = context.controls.FormatIndex() == kHtmlFormatIndex;
    const bool short_extension = context.controls.ShortExtension();
    const char* extension = html ? (short_extension ? "htm" : "html") : (short_extension ? "mht" : "mhtml");
    workbook.SaveAs(FitFileName(base, std::string(".") + extension), html ? automation::kHtml : automation::kWebArchive);
  });
}

}  // namespace quorvex::engine
