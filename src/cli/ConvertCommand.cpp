// `quorvex convert`: list each input's workbooks, tick the requested sheets, run the conversion.
#include "cli/ConvertCommand.h"

#include <algorithm>

#include "catalogue/ListWorkbooks.h"
#include "catalogue/ListWorksheets.h"
#include "engine/ClockRandomSource.h"
#include "engine/ConversionRun.h"
#include "engine/EngineState.h"
#include "engine/PathHelpers.h"
#include "engine/ExporterTable.h"

namespace quorvex::cli {
namespace {

/// Shows each workbook's sheets as a click on its row would, and leaves ticked only the sheets
/// named in `sheets`; the run then exports exactly those.
void TickNamedSheets(engine::EngineContext& context, engine::HeadlessControls& controls,
                     const std::vector<std::string>& sheets) {
  for (int row = 1; row <= controls.WorkbookRowCount(); ++row) {
    controls.SelectWorkbookRow(row);
    catalogue::WorkbookListItemClick(context);
    for (int sheet = 1; sheet <= controls.WorksheetRowCount(); ++sheet) {
      const bool wanted = std::find(sheets.begin(), sheets.end(), controls.WorksheetRowText(sheet)) != sheets.end();
      controls.SetWorksheetRowChecked(sheet, wanted);
    }
  }
}

}  // namespace

int RunConvert(const ConvertOptions& options, ConsoleControls& controls,
               const automation::ApplicationFactory& factory) {
  engine::EngineState state;
  state.SetReadSheetsFromWorkbook(true);
  engine::ClockRandomSource random;
  engine::EngineContext context{state, controls, factory, random};
  const engine::ExporterTable exporters = engine::StandardExporters();

  controls.SetFormatIndex(options.format_index);
  controls.SetNamingMode(options.naming_mode);
  controls.SetEntireWorkbook(options.entire_workbook);
  controls.SetHtmlTypeIndex(options.html_type_index);
  controls.SetPageTitleIndex(options.page_title_index);
  controls.SetShortExtension(options.short_extension);
  // A directory given on the command line behaves as one typed into the box: created on demand.
  controls.SetOutputDirectory(options.output_directory, true);

  for (const std::string& input : options.inputs) {
    if (engine::PathKind(input) == 0) {
      controls.ReportProblem("Cannot find the workbook or folder \"" + input + "\"");
      continue;
    }
    controls.SetSelectedInputEntry(input);
    catalogue::ListWorkbooks(state, controls, input);
    state.Table().Clear();
    if (!options.sheets.empty()) TickNamedSheets(context, controls, options.sheets);
    engine::RunConversion(context, exporters);
  }
  return controls.AnyMessageShown() ? 1 : 0;
}

}  // namespace quorvex::cli
