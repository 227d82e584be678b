// The two save switches of "set.txt": keep the input list, keep the output directory list.
#pragma once

#include <string>

namespace quorvex::settings {

struct SaveSwitches {
  bool save_input_list = false;          // line 1, "Automatically save the current file"
  bool save_output_directories = false;  // line 2, "Automatically save the output directory"
  bool operator==(const SaveSwitches&) const = default;
};

/// Reads "set.txt" in `folder`. A switch is on only when its line is exactly "1"; a missing
/// file or line counts as off.
SaveSwitches ReadSaveSwitches(const std::string& folder);

/// Writes both switches as "1" or "0", one per line, replacing the file. False on a write error.
bool WriteSaveSwitches(const std::string& folder, const SaveSwitches& switches);

}  // namespace quorvex::settings
