// Small routines that test, take apart and build paths; none of them ever fails.
#include "engine/PathHelpers.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/Utf8Path.h"

namespace quorvex::engine {

namespace {

// The longest start of `text` of at most `bytes` bytes that ends on a UTF-8 character boundary.
std::string Utf8Start(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) {
    return text;
  }
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  return text.substr(0, end);
}

}  // namespace

int PathKind(const std::string& path) {
  // An embedded NUL would silently shorten the path.
  if (path.empty() || path.find('\0') != std::string::npos) {
    return kNothingAtPath;
  }
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(platform::PathFromUtf8(path), error);
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

int MakeFolder(const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    return EINVAL;
  }
  return platform::MakeFolder(path);
}

std::string SystemReason(int error) {
  return std::generic_category().message(error);
}

std::string FitFileName(const std::string& base_path, const std::string& extension) {
  const std::size_t slash = base_path.rfind(kPathSeparator);
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::string folder = base_path.substr(0, name_start);
  const std::size_t limit = platform::FileNameLimit(folder);
  const std::size_t name_length = base_path.size() - name_start + extension.size();
  if (name_length <= limit || extension.size() >= limit) {
    return base_path + extension;
  }
  const std::string name = base_path.substr(name_start);
  return folder + Utf8Start(name, limit - extension.size()) + extension;
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
