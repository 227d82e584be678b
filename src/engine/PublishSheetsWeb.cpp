// Publishes each selected worksheet of a workbook as one web page or single-file web page.
#include "engine/PublishSheetsWeb.h"

#include <optional>
#include <string>

#include "automation/FileFormat.h"
#include "engine/ExportFrame.h"
#include "engine/OutputFormats.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

// Page title choices of the "Page Title:" list.
constexpr int kTitleSheet = 1;
constexpr int kTitleWorkbook = 2;
constexpr int kTitleWorkbookAndSheet = 3;

std::string PageTitle(const Controls& controls, int row, const std::string& sheet_name) {
  switch (controls.PageTitleIndex()) {
    case kTitleSheet:
      return sheet_name;
    case kTitleWorkbook:
      return StripExtension(controls.WorkbookRowText(row));
    case kTitleWorkbookAndSheet:
      return StripExtension(controls.WorkbookRowText(row)) + "_" + sheet_name;
    default:
      return "";
  }
}

// The page type code for an "HTML Type:" entry; nothing for no entry or an unknown one.
std::optional<int> PageTypeCode(int html_type_index) {
  switch (html_type_index) {
    case 0:
      return automation::kHtmlStatic;
    case 1:
      return automation::kHtmlCalc;
    case 2:
      return automation::kHtmlPivotTable;
    default:
      return std::nullopt;
  }
}

}  // namespace

ExportResult PublishSheetsWeb(EngineContext& context, int row) {
  return RunPerSheetExport(context, row, [&](automation::Workbook& workbook, const SheetJob& job) {
    const Controls& controls = context.controls;
    const std::string title = PageTitle(controls, row, job.sheet_name);
    // Selected among the worksheets, as the delimited export does, so that a chart sheet in
    // front cannot shift which sheet is chosen; the page itself names its sheet.
    workbook.WorksheetsSelect(job.index);
    const OutputFormat& format = OutputFormatFor(controls.FormatIndex(), ExportSlot::kSheetsWeb);
    const std::string file =
        FitFileName(job.folder + job.base, std::string(ExtensionOf(format, controls.ShortExtension())));
    const auto type = PageTypeCode(controls.HtmlTypeIndex());
    if (type) {
      workbook.PublishObjectsAdd(automation::kSourceSheet, file, job.sheet_name, std::nullopt, *type,
                                 std::nullopt, title);
    }
    workbook.PublishObjectsPublish();
    workbook.PublishObjectsDelete();
    return type.has_value();
  });
}

}  // namespace quorvex::engine
