// Fills the worksheet list for the selected workbook row, from the table or the application.
#pragma once

#include <functional>
#include <string>

#include "engine/Controls.h"
#include "engine/EngineContext.h"

namespace quorvex::catalogue {

/// The full path of the selected workbook row's file under the selected input entry, or "".
std::string ResolveSelectedWorkbookPath(const engine::Controls& controls);

/// Called with each worksheet's 1-based position and name, in order.
using NameReader = std::function<void(int sheet, const std::string& name)>;

/// Reads the worksheet names of the workbook file `path` in a new application instance, closed
/// and quit on every path. Throws the application's error (std::exception) when the instance
/// cannot be started, the workbook cannot be opened or a name cannot be read; names reported
/// before the error stay reported.
void ReadWorksheetNames(engine::EngineContext& context, const std::string& path, const NameReader& on_sheet);

/// Refills the worksheet list for the selected workbook row r and sets CurrentWorkbookIndex to r.
/// Does nothing when no workbook path resolves. While ReadSheetsFromWorkbook is false it first
/// notes whether column r is recorded and captures the shown ticks under the previous
/// CurrentWorkbookIndex; a recorded column is then restored without the application. Otherwise
/// a new application instance reads the worksheet names, which are listed and recorded ticked
/// (sheets above 5000 are listed, not recorded). On an error it closes and quits what it
/// obtained and shows the error's description, then "Excel file open failed!", both with the
/// error icon.
void ListWorksheets(engine::EngineContext& context);

/// A click on a workbook row (ListView2's ItemClick): busy pointer, ReadSheetsFromWorkbook false
/// while ListWorksheets runs, then back to true and the default pointer.
void WorkbookListItemClick(engine::EngineContext& context);

}  // namespace quorvex::catalogue
