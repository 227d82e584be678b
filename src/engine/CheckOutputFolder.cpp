// Settles the output directory of a conversion run.
#include "engine/CheckOutputFolder.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "engine/PathHelpers.h"

namespace quorvex::engine {

namespace {

// Creates one directory level; false when it cannot be made or something else holds the name.
bool CreateOneFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directory(path, error);
  return !error && PathKind(path) == kFolderAtPath;
}

}  // namespace

bool CheckOutputFolder(EngineState& state, Controls& controls) {
  const std::string text = controls.OutputDirectoryText();
  state.SetOutputRoot(text);
  const bool typed = controls.OutputDirectoryTyped();

  if (text.empty()) {
    controls.ShowMessage("Please select output folder", MessageIcon::kInformation);
    return false;
  }
  if (PathKind(text) != kFolderAtPath && !typed) {
    // Picked from the saved list: it must still exist, and it is never recreated.
    controls.ShowMessage("Folder does not exist!", MessageIcon::kError);
    return false;
  }

  std::string root = text;
  while (!root.empty() && root.back() == kPathSeparator) {
    root.pop_back();
  }
  if (root.empty()) {
    // Nothing but separators: the file system root, which always exists.
    state.SetOutputRoot(std::string(1, kPathSeparator));
    return true;
  }
  state.SetOutputRoot(root);
  if (PathKind(root) != kFolderAtPath && typed && !CreateOneFolder(root)) {
    controls.ShowMessage("Failed to create folder!", MessageIcon::kError);
    return false;
  }
  state.SetOutputRoot(root + kPathSeparator);
  return true;
}

}  // namespace quorvex::engine
