// The input list and output directory list as kept in "EXCEL.txt" and "output.txt".
#pragma once

#include <string>
#include <vector>

#include "catalogue/InputListRows.h"

namespace quorvex::settings {

/// The most output directories written to "output.txt" (positions 0 to 200).
inline constexpr int kMaxSavedOutputDirectories = 201;

struct InputEntry {
  std::string text;
  catalogue::InputIcon icon = catalogue::InputIcon::kMissing;
  bool operator==(const InputEntry&) const = default;
};

/// One entry per line of "EXCEL.txt" in `folder`, with the icon its path calls for now (a path
/// that no longer exists, or an empty line, gets the missing-entry icon). Missing file: none.
std::vector<InputEntry> LoadInputList(const std::string& folder);

/// One directory per line of "output.txt" in `folder`, in file order. Missing file: none.
std::vector<std::string> LoadOutputDirectories(const std::string& folder);

/// What the window does when it closes: reads the switches from "set.txt" now, then rewrites
/// "EXCEL.txt" with `input_entries` when the first is on and "output.txt" with the first 201 of
/// `output_directories` when the second is on. A list whose switch is off keeps its file.
void SaveListsOnExit(const std::string& folder, const std::vector<std::string>& input_entries,
                     const std::vector<std::string>& output_directories);

}  // namespace quorvex::settings
