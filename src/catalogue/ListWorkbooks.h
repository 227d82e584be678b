// Turns one input entry into the rows of the workbook list.
#pragma once

#include <string>

#include "engine/Controls.h"
#include "engine/EngineState.h"

namespace quorvex::catalogue {

/// The most workbooks one folder lists.
inline constexpr int kMaxListedWorkbooks = 500;

/// Whether a file name is one a folder lists as a workbook: not hidden (no leading '.'), with an
/// extension beginning with ".xls" in any letter case.
bool IsWorkbookFileName(const std::string& name);

/// The order a folder's workbooks (and subfolders) are listed in: by name ignoring the letter
/// case of ASCII letters; names equal but for case keep a fixed order.
bool ListedBefore(const std::string& a, const std::string& b);

/// Clears the sheet selection table and refills the workbook list from `entry`, every row
/// ticked: a workbook file gives one row with its file name; a folder gives its regular,
/// non-hidden files whose extension begins with ".xls" in any letter case (.xls, .xlsx, .xlsm,
/// .xlsb), ordered by name ignoring letter case, at most 500, subfolders not searched. Anything
/// else lists nothing. Shows no message; an error while listing keeps the rows added before it.
void ListWorkbooks(engine::EngineState& state, engine::Controls& controls, const std::string& entry);

}  // namespace quorvex::catalogue
