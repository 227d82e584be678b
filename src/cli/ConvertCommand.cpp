// `quorvex convert`: list each input's workbooks, select the requested sheets, run the conversion.
#include "cli/ConvertCommand.h"

#include <algorithm>
#include <exception>

#include "catalogue/FolderTree.h"
#include "catalogue/ListWorkbooks.h"
#include "catalogue/ListWorksheets.h"
#include "cli/Shard.h"
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
  engine::SheetSelectionTable& table = context.state.Table();
  for (int row = 1; row <= controls.WorkbookRowCount(); ++row) {
    if (!controls.WorkbookRowChecked(row)) continue;  // another shard's
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

/// A folder or file whose workbooks one conversion run lists, and where they go.
struct ListedEntry {
  std::string path;
  std::string relative;  // the folder below the input ("" for the input itself)
  std::string output;    // the output directory of its workbooks
};

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == engine::kPathSeparator) path.pop_back();
  return path;
}

/// The input itself; with --recursive, for a folder, also every folder below it, each with the
/// same folder below the output directory.
std::vector<ListedEntry> EntriesOf(const ConvertOptions& options, const std::string& input) {
  if (!options.recursive || engine::PathKind(input) != engine::kFolderAtPath) {
    return {{input, "", options.output_directory}};
  }
  const std::string input_root = WithoutTrailingSeparators(input);
  const std::string output_root = WithoutTrailingSeparators(options.output_directory);
  std::vector<ListedEntry> entries;
  for (const std::string& relative : catalogue::FoldersBelow(input)) {
    if (relative.empty()) {
      entries.push_back({input, relative, options.output_directory});
    } else {
      entries.push_back({input_root + "/" + relative, relative, output_root + "/" + relative});
    }
  }
  return entries;
}

/// Creates the folders between the output directory and a subfolder's output folder, which the
/// run then creates itself; a failure shows when the run checks its folder.
void MakeParentFolders(const std::string& output_directory, const std::string& relative) {
  std::string folder = WithoutTrailingSeparators(output_directory);
  engine::MakeFolder(folder);
  for (std::size_t slash = relative.find('/'); slash != std::string::npos;
       slash = relative.find('/', slash + 1)) {
    engine::MakeFolder(folder + "/" + relative.substr(0, slash));
  }
}

/// Unticks the workbooks of other shards; returns how many rows stay ticked.
int KeepShard(ConsoleControls& controls, const ConvertOptions& options, const std::string& relative) {
  int kept = 0;
  for (int row = 1; row <= controls.WorkbookRowCount(); ++row) {
    const bool mine =
        InShard(ShardKey(relative, controls.WorkbookRowText(row)), options.shard, options.shards);
    controls.SetWorkbookRowChecked(row, mine);
    kept += mine ? 1 : 0;
  }
  return kept;
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
  // Converts the workbook rows listed and ticked now.
  const auto convert_listed = [&] {
    engine::RunSummary unreadable;
    if (select_sheets) {
      SelectNamedSheets(context, controls, options.sheets, unreadable);
    }
    engine::RunSummary summary = engine::RunConversion(context, exporters, jobs);
    summary.failures.insert(summary.failures.begin(), unreadable.failures.begin(), unreadable.failures.end());
    total.Add(summary);
  };
  for (const std::string& input : options.inputs) {
    if (engine::PathKind(input) == engine::kNothingAtPath) {
      controls.ReportProblem("Cannot find the workbook or folder \"" + input + "\"");
      continue;
    }
    bool any_listed = false;
    for (const ListedEntry& entry : EntriesOf(options, input)) {
      controls.SetSelectedInputEntry(entry.path);
      catalogue::ListWorkbooks(state, controls, entry.path);
      any_listed = any_listed || controls.WorkbookRowCount() > 0;
      const int kept = KeepShard(controls, options, entry.relative);
      // A folder of a recursive run without workbooks (of this shard) gets no output folder.
      if (options.recursive && (controls.WorkbookRowCount() == 0 || (kept == 0 && !entry.relative.empty()))) {
        continue;
      }
      if (!entry.relative.empty()) MakeParentFolders(options.output_directory, entry.relative);
      controls.SetOutputDirectory(entry.output, true);
      convert_listed();
    }
    if (options.recursive && !any_listed) {
      // No workbook anywhere below the input: converted as a plain folder, which says so.
      controls.SetSelectedInputEntry(input);
      catalogue::ListWorkbooks(state, controls, input);
      controls.SetOutputDirectory(options.output_directory, true);
      convert_listed();
    }
  }
  if (options.recursive && total.started) {
    // Name the output directory itself, not the last subfolder converted.
    total.output_root = WithoutTrailingSeparators(options.output_directory);
    if (total.output_root.back() != engine::kPathSeparator) total.output_root += engine::kPathSeparator;
  }
  controls.ReportSummary(total);
  return controls.AnyMessageShown() ? 1 : 0;
}

}  // namespace quorvex::cli
