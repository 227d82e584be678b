// Where the window finds its manual and keeps its settings: beside the program or in an installed tree.
#pragma once

#include <string>

namespace quorvex::settings {

/// The user manual and the settings folder of one running program.
struct ProgramFiles {
  std::string help_file;
  std::string settings_folder;
};

/// Locates the manual and the settings folder of a program running from `program_folder`.
/// A program with its manual beside it (a build or a portable copy) uses that manual and keeps
/// its settings as ChooseSettingsFolder says. An installed program, whose manual lies in
/// `program_folder`/`data_from_program` (e.g. "../share/quorvex" from bin/), uses that manual
/// and keeps its settings in `config_folder` (created when missing), never in the shared
/// program folder. With no manual found, the manual is the missing one beside the program.
ProgramFiles LocateProgramFiles(const std::string& program_folder, const std::string& data_from_program,
                                const std::string& config_folder);

}  // namespace quorvex::settings
