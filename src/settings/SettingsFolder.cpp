// Where the three settings files live and what they are called.
#include "settings/SettingsFolder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace quorvex::settings {

std::string SettingsFilePath(const std::string& folder, const std::string& file_name) {
  return folder + "/" + file_name;
}

std::string ChooseSettingsFolder(const std::string& program_folder, const std::string& config_folder) {
  std::error_code error;
  if (!program_folder.empty() && std::filesystem::is_directory(program_folder, error) &&
      ::access(program_folder.c_str(), W_OK) == 0) {
    return program_folder;
  }
  std::filesystem::create_directories(config_folder, error);
  return config_folder;
}

}  // namespace quorvex::settings
