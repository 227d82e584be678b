// Where the three settings files live and what they are called.
#pragma once

#include <string>

namespace quorvex::settings {

inline constexpr const char* kSwitchesFileName = "set.txt";
inline constexpr const char* kInputListFileName = "EXCEL.txt";
inline constexpr const char* kOutputListFileName = "output.txt";

/// `folder` + '/' + `file_name`.
std::string SettingsFilePath(const std::string& folder, const std::string& file_name);

/// The folder the settings files live in: the program's folder when the program may write there
/// (a portable install), else `config_folder`, which is created when missing. Returns
/// `config_folder` even when it cannot be created; reads then find nothing and writes fail.
std::string ChooseSettingsFolder(const std::string& program_folder, const std::string& config_folder);

}  // namespace quorvex::settings
