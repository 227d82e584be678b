// The folders a recursive conversion visits below an input folder.
#include "catalogue/FolderTree.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "catalogue/ListWorkbooks.h"
#include "platform/Utf8Path.h"

namespace quorvex::catalogue {

namespace {

namespace fs = std::filesystem;

// The visible subfolders of `folder` in name order; none when it cannot be listed.
std::vector<std::string> SubfolderNames(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
    const std::string name = platform::Utf8FromPath(it->path().filename());
    std::error_code status_error;
    if (!name.empty() && name.front() != '.' && it->is_directory(status_error) && !status_error) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end(), ListedBefore);
  return names;
}

}  // namespace

std::vector<std::string> FoldersBelow(const std::string& root) {
  std::vector<std::string> folders;
  // Folders are known by their canonical path (links resolved), which stays the same however a
  // folder is reached.
  std::set<fs::path> seen;
  // Depth first, each folder before its subfolders: a stack of relative paths, pushed in reverse.
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string relative = std::move(pending.back());
    pending.pop_back();
    const fs::path folder = platform::PathFromUtf8(relative.empty() ? root : root + "/" + relative);
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || !seen.insert(canonical).second) continue;
    folders.push_back(relative);
    const std::vector<std::string> names = SubfolderNames(folder);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
      pending.push_back(relative.empty() ? *name : relative + "/" + *name);
    }
  }
  return folders;
}

}  // namespace quorvex::catalogue
