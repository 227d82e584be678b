// The folders a recursive conversion visits below an input folder.
#pragma once

#include <string>
#include <vector>

namespace quorvex::catalogue {

/// `root` itself ("") and every folder below it that is not hidden (no leading '.'), as paths
/// relative to `root` with '/' between levels ("Sales", "Sales/2024"): each folder before its
/// subfolders, subfolders in the workbook list's name order. Links to folders are followed, but a
/// folder reached again (a link loop, or two links to one folder) is listed only at its first
/// path, so the walk always ends. A folder that cannot be listed contributes no subfolders.
std::vector<std::string> FoldersBelow(const std::string& root);

}  // namespace quorvex::catalogue
