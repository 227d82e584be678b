// The two save switches of "set.txt": keep the input list, keep the output directory list.
#include "settings/SaveSwitches.h"

#include <vector>

#include "settings/LineFile.h"
#include "settings/SettingsFolder.h"

namespace quorvex::settings {

SaveSwitches ReadSaveSwitches(const std::string& folder) {
  const std::vector<std::string> lines = ReadLines(SettingsFilePath(folder, kSwitchesFileName));
  SaveSwitches switches;
  switches.save_input_list = lines.size() >= 1 && lines[0] == "1";
  switches.save_output_directories = lines.size() >= 2 && lines[1] == "1";
  return switches;
}

bool WriteSaveSwitches(const std::string& folder, const SaveSwitches& switches) {
  return WriteLines(SettingsFilePath(folder, kSwitchesFileName),
                    {switches.save_input_list ? "1" : "0", switches.save_output_directories ? "1" : "0"});
}

}  // namespace quorvex::settings
