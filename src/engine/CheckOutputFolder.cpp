// Settles the output directory of a conversion run.
#include "engine/CheckOutputFolder.h"

#include <cerrno>
#include <string>

#include "engine/PathHelpers.h"

namespace quorvex::engine {

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
    controls.ShowMessage("Folder does not exist! " + text, MessageIcon::kError);
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
  if (PathKind(root) != kFolderAtPath && typed) {
    // A folder made by someone else in the meantime will do as well.
    const int error = MakeFolder(root);
    if (error != 0 && !(error == EEXIST && PathKind(root) == kFolderAtPath)) {
      controls.ShowMessage("Failed to create folder! " + root + ": " + SystemReason(error),
                           MessageIcon::kError);
      return false;
    }
  }
  state.SetOutputRoot(root + kPathSeparator);
  return true;
}

}  // namespace quorvex::engine
