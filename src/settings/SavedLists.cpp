// The input list and output directory list as kept in "EXCEL.txt" and "output.txt".
#include "settings/SavedLists.h"

#include <algorithm>

#include "catalogue/InputListCommands.h"
#include "settings/LineFile.h"
#include "settings/SaveSwitches.h"
#include "settings/SettingsFolder.h"

namespace quorvex::settings {

std::vector<InputEntry> LoadInputList(const std::string& folder) {
  std::vector<InputEntry> entries;
  for (std::string& line : ReadLines(SettingsFilePath(folder, kInputListFileName))) {
    const catalogue::InputIcon icon = catalogue::InputIconFor(line);
    entries.push_back(InputEntry{std::move(line), icon});
  }
  return entries;
}

std::vector<std::string> LoadOutputDirectories(const std::string& folder) {
  return ReadLines(SettingsFilePath(folder, kOutputListFileName));
}

void SaveListsOnExit(const std::string& folder, const std::vector<std::string>& input_entries,
                     const std::vector<std::string>& output_directories) {
  const SaveSwitches switches = ReadSaveSwitches(folder);
  if (switches.save_input_list) {
    WriteLines(SettingsFilePath(folder, kInputListFileName), input_entries);
  }
  if (switches.save_output_directories) {
    const std::size_t kept =
        std::min(output_directories.size(), static_cast<std::size_t>(kMaxSavedOutputDirectories));
    WriteLines(SettingsFilePath(folder, kOutputListFileName),
               std::vector<std::string>(output_directories.begin(),
                                        output_directories.begin() + static_cast<std::ptrdiff_t>(kept)));
  }
}

}  // namespace quorvex::settings
