// Reading and writing the small one-value-per-line text files the window keeps its lists in.
#pragma once

#include <string>
#include <vector>

namespace quorvex::settings {

/// The lines of the file at `path`. A line ends at CR, CR LF or LF (none of them belongs to the
/// value); a last line without terminator still counts; an empty line is an empty value. A file
/// that is missing or cannot be read gives no lines.
std::vector<std::string> ReadLines(const std::string& path);

/// Splits `text` into lines by the rules of ReadLines.
std::vector<std::string> SplitLines(const std::string& text);

/// Replaces the file at `path` with `lines`, each followed by CR LF, written to a temporary name
/// first and renamed into place. Returns false when the file could not be written.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quorvex::settings
