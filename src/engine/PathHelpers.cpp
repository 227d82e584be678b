// Small routines that test, take apart and build paths; none of them ever fails.
#include "engine/PathHelpers.h"

#include <filesystem>
#include <system_error>

namespace quorvex::engine {

int PathKind(const std::string& path) {
  // Wildcards never name one entry; an embedded NUL would silently shorten the path.
  if (path.empty() || path.find_first_of(std::string("*?\0", 3)) != std::string::npos) {
    return kNothingAtPath;
  }
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) {
    return kNothingAtPath;
  }
  if (std::filesystem::is_directory(status)) {
    return kFolderAtPath;
  }
  if (std::filesystem::is_regular_file(status)) {
    return kFileAtPath;
  }
  return kNothingAtPath;
}

std::string StripExtension(const std::string& text) {
  const std::size_t dot = text.rfind('.');
  return dot == std::string::npos ? text : text.substr(0, dot);
}

std::string RemoveSpacesAndDots(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c != ' ' && c != '.') {
      result.push_back(c);
    }
  }
  return result;
}

std::string ResolveWorkbookFile(const std::string& entry, const std::string& name) {
  switch (PathKind(entry)) {
    case kFileAtPath:
      return entry;
    case kFolderAtPath: {
      // Joined as they stand: an entry ending in '/' gives a doubled separator, which works.
      std::string candidate = entry + kPathSeparator + name;
      return PathKind(candidate) == kFileAtPath ? candidate : std::string();
    }
    default:
      return std::string();
  }
}

std::string ResolveWorkbookPath(const Controls& controls, int row) {
  const int rows = controls.WorkbookRowCount();
  const std::string name = (row >= 1 && row <= rows) ? controls.WorkbookRowText(row) : std::string();
  return ResolveWorkbookFile(controls.SelectedInputEntry(), name);
}

}  // namespace quorvex::engine
