// Where the window finds its manual and keeps its settings: beside the program or in an installed tree.
#include "settings/ProgramFiles.h"

#include <filesystem>
#include <system_error>

#include "settings/ProductInfo.h"
#include "settings/SettingsFolder.h"

namespace quorvex::settings {

ProgramFiles LocateProgramFiles(const std::string& program_folder, const std::string& data_from_program,
                                const std::string& config_folder) {
  namespace fs = std::filesystem;
  const fs::path beside = fs::path(program_folder) / kHelpFileName;
  const fs::path installed =
      (fs::path(program_folder) / data_from_program / kHelpFileName).lexically_normal();
  std::error_code error;
  if (!fs::exists(beside, error) && !data_from_program.empty() && fs::is_regular_file(installed, error)) {
    // No program folder to offer: the configuration folder is chosen and created.
    return {installed.string(), ChooseSettingsFolder("", config_folder)};
  }
  return {beside.string(), ChooseSettingsFolder(program_folder, config_folder)};
}

}  // namespace quorvex::settings
