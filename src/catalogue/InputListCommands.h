// The commands of the input list: add, remove, move, remove all, and a click on an entry.
#pragma once

#include <string>
#include <vector>

#include "catalogue/InputListRows.h"
#include "engine/EngineContext.h"

namespace quorvex::catalogue {

/// The icon an entry gets when the list is reloaded: file, folder, or missing.
InputIcon InputIconFor(const std::string& path);

/// Appends the workbook files `paths` (as the open dialog returned them) with the file icon,
/// selects the last, lists its workbook and reads its worksheets with the busy pointer; the
/// pointer is back to default at the end whatever happens. No paths change nothing.
void AddInputFiles(engine::EngineContext& context, InputListRows& rows,
                   const std::vector<std::string>& paths);

/// Appends the folder `path` with the folder icon, selects it, lists its workbooks and reads the
/// first one's worksheets. An empty path changes nothing. The pointer ends at default.
void AddInputFolder(engine::EngineContext& context, InputListRows& rows, const std::string& path);

/// Adds a path dropped onto the list: a workbook file as AddInputFiles, a folder as
/// AddInputFolder; anything else (a file whose name is not a workbook's, a missing path) is
/// refused. Returns whether something was added.
bool AddDroppedPath(engine::EngineContext& context, InputListRows& rows, const std::string& path);

/// Removes the selected entry. When rows remain, the one above it (or the new first row) is
/// selected and listed; when none remain, the table and both lists are cleared.
void RemoveSelectedInput(engine::EngineContext& context, InputListRows& rows);

/// Moves the selected entry one place up or down, keeping its icon and the selection on it.
/// Nothing else changes: no listing, the table untouched.
void MoveSelectedInputUp(InputListRows& rows);
void MoveSelectedInputDown(InputListRows& rows);

/// Clears the table, the input list, the workbook list and the worksheet list.
void RemoveAllInputs(engine::EngineContext& context, InputListRows& rows);

/// A click on an input entry: lists the selected entry's workbooks and worksheets again with the
/// busy pointer, then clears the table.
void InputListItemClick(engine::EngineContext& context, InputListRows& rows);

}  // namespace quorvex::catalogue
