// Small routines that test, take apart and build paths; none of them ever fails.
#pragma once

#include <string>

#include "engine/Controls.h"

namespace quorvex::engine {

/// The one path separator the engine writes.
inline constexpr char kPathSeparator = '/';

/// Results of PathKind.
inline constexpr int kNothingAtPath = 0;
inline constexpr int kFolderAtPath = 1;
inline constexpr int kFileAtPath = 2;

/// 1 for an existing folder, 2 for an existing regular file, 0 for anything else: nothing there,
/// another kind of entry, an empty path, a path holding a NUL, or any error while looking.
/// Symbolic links are followed. '*' and '?' are ordinary characters of a file name.
int PathKind(const std::string& path);

/// Creates the one folder `path` (its parent must exist). Returns 0, or the system's error number
/// (EEXIST whenever anything already holds the name).
int MakeFolder(const std::string& path);

/// The system's sentence for an error number, such as "Permission denied".
std::string SystemReason(int error);

/// `base_path` followed by `extension` (".csv"), its last component shortened when it would be
/// longer than its folder's file system allows: the start of the name and the whole extension
/// are kept, and the cut never splits a UTF-8 sequence.
std::string FitFileName(const std::string& base_path, const std::string& extension);

/// The text before its last '.', or the text unchanged when it holds no '.'.
std::string StripExtension(const std::string& text);

/// The text without any ' ' or '.'.
std::string RemoveSpacesAndDots(const std::string& text);

/// The workbook file behind an input entry and a workbook list row text: the entry itself when it
/// is a file; entry + '/' + name when the entry is a folder and that is a file; otherwise "".
std::string ResolveWorkbookFile(const std::string& entry, const std::string& name);

/// The full path of the workbook at 1-based workbook row `row` under the selected input entry,
/// or "" when it does not resolve to a file.
std::string ResolveWorkbookPath(const Controls& controls, int row);

}  // namespace quorvex::engine
