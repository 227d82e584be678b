// `quorvex convert`: list each input's workbooks, select the requested sheets, run the conversion.
#include "cli/ConvertCommand.h"

#include <algorithm>
#include <exception>

#include "catalogue/ListWorkbooks.h"
#include "catalogue/ListWorksheets.h"
#include "engine/ClockRandomSource.h"
#include "engine/ConversionRun.h"
#include "engine/EngineState.h"
#include "engine/ExporterTable.h"
#include "engine/PathHelpers.h"

namespace quorvex::cli {
namespace {

bool Wanted(const std::vector<std::string>& sheets, const std::string& name) {
  return std::find(sheets.begin(), sheets.end(), name) != sheets.end();
}

/// Records, for every workbook row of the listed input, which of its worksheets are named in
/// `sheets`, so that the run exports exactly those. A workbook holding none of them is unticked;
/// one whose sheets cannot be read is reported, unticked and counted as failed.
void SelectNamedSheets(engine::EngineContext& context, ConsoleControls& controls,
                       const std::vector<std::string>& sheets, engine::RunSummary& failures) {
  engine::SheetSelectionTable& table = context.state.table();
  for (int row = 1; row <= controls.WorkbookRowCount(); ++row) {
    const std::string path = engine::ResolveWorkbookPath(controls, row);
    bool any_wanted = false;
    try {
      catalogue::ReadWorksheetNames(context, path, [&](int sheet, const std::string& name) {
        const bool wanted = Wanted(sheets, name);
        any_wanted = any_wanted || wanted;
        if (row <= engine::SheetSelectionTable::kMaxWorkbooks &&
            sheet <= engine::SheetSelectionTable::kMaxSheets) {
          table.Set(row, sheet, name, wanted);
        }
      });
    } catch (const std::exception& error) {
      controls.ReportProblem(error.what());
      failures.failures.push_back({controls.WorkbookRowText(row), error.what()});
    }
    controls.SetWorkbookRowChecked(row, any_wanted);
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
  // Only per-sheet formats (the ones that get a folder per workbook) look at the sheet names.
  const bool select_sheets = !options.sheets.empty() &&
                             engine::RouteFor(options.format_index, options.entire_workbook).creates_folder;

  const int jobs = options.jobs > 0 ? options.jobs : engine::DefaultJobCount();
  engine::RunSummary total;
  for (const std::string& input : options.inputs) {
    if (engine::PathKind(input) == engine::kNothingAtPath) {
      controls.ReportProblem("Cannot find the workbook or folder \"" + input + "\"");
      continue;
    }
    controls.SetSelectedInputEntry(input);
    catalogue::ListWorkbooks(state, controls, input);
    engine::RunSummary unreadable;
    if (select_sheets) {
      SelectNamedSheets(context, controls, options.sheets, unreadable);
    }
    engine::RunSummary summary = engine::RunConversion(context, exporters, jobs);
    summary.failures.insert(summary.failures.begin(), unreadable.failures.begin(), unreadable.failures.end());
    total.Add(summary);
  }
  controls.ReportSummary(total);
  return controls.AnyMessageShown() ? 1 : 0;
}

}  // namespace quorvex::cli
