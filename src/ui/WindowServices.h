// Everything the main window is given from outside: the seams and where its files are.
#pragma once

#include <string>

#include "automation/ApplicationFactory.h"
#include "engine/ConversionRun.h"
#include "engine/ExporterTable.h"

namespace quorvex::dialogs {
class DialogProvider;
}

namespace quorvex::ui {

class MessageBoxes;
class ShellOpener;

/// Borrowed seams (the caller keeps them alive) and values the window keeps for its life.
struct WindowServices {
  dialogs::DialogProvider& dialogs;
  MessageBoxes& messages;
  ShellOpener& shell;
  automation::ApplicationFactory application_factory;
  engine::ExporterTable exporters;
  /// The folder holding "set.txt", "EXCEL.txt" and "output.txt".
  std::string settings_folder;
  /// The full path of the HTML user manual.
  std::string help_file;
  /// How many workbooks a conversion run converts at once.
  int jobs = engine::DefaultJobCount();
};

}  // namespace quorvex::ui
