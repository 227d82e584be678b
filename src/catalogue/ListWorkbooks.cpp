// Turns one input entry into the rows of the workbook list.
#include "catalogue/ListWorkbooks.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/PathHelpers.h"
#include "platform/Utf8Path.h"

namespace quorvex::catalogue {

namespace {

namespace fs = std::filesystem;

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The workbook file names in `folder`; stops quietly at the first listing error.
std::vector<std::string> WorkbookFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(platform::PathFromUtf8(folder), error);
  const fs::directory_iterator end;
  while (!error && it != end) {
    const std::string name = platform::Utf8FromPath(it->path().filename());
    std::error_code status_error;
    if (IsWorkbookFileName(name) && it->is_regular_file(status_error) && !status_error) {
      names.push_back(name);
    }
    it.increment(error);
  }
  return names;
}

}  // namespace

bool ListedBefore(const std::string& a, const std::string& b) {
  const auto lower_less = [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower_less)) {
    return true;
  }
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower_less)) {
    return false;
  }
  return a < b;
}

bool IsWorkbookFileName(const std::string& name) {
  // Dot-files are hidden; ".xls" alone is one of them.
  if (name.empty() || name.front() == '.') {
    return false;
  }
  const std::string extension = platform::ExtensionOf(name);
  static constexpr char kPrefix[] = ".xls";
  if (extension.size() < sizeof(kPrefix) - 1) {
    return false;
  }
  for (std::size_t i = 0; i + 1 < sizeof(kPrefix); ++i) {
    if (LowerAscii(extension[i]) != kPrefix[i]) {
      return false;
    }
  }
  return true;
}

void ListWorkbooks(engine::EngineState& state, engine::Controls& controls, const std::string& entry) {
  try {
    state.Table().Clear();
    controls.ClearWorkbookRows();
    if (engine::PathKind(entry) == engine::kFileAtPath) {
      controls.AddWorkbookRow(platform::FileNameOf(entry), true);
    } else {
      std::vector<std::string> names = WorkbookFilesIn(entry);
      std::sort(names.begin(), names.end(), ListedBefore);
      const std::size_t shown = std::min(names.size(), static_cast<std::size_t>(kMaxListedWorkbooks));
      for (std::size_t i = 0; i < shown; ++i) {
        controls.AddWorkbookRow(names[i], true);
      }
    }
  } catch (const std::exception&) {
    // Listing problems show nothing; the rows added so far stay.
  }
  controls.RepaintWorkbookRows();
}

}  // namespace quorvex::catalogue
