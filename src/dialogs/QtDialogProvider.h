// The real dialogs: Qt's file, folder, colour, font, print and page set-up dialogs.
#pragma once

#include "dialogs/DialogProvider.h"

namespace quorvex::dialogs {

class QtDialogProvider : public DialogProvider {
 public:
  std::optional<std::string> OpenFile(QWidget* owner, const OpenFileRequest& request) override;
  std::vector<std::string> OpenFiles(QWidget* owner, const OpenFileRequest& request) override;
  std::optional<std::string> SaveFile(QWidget* owner, const SaveFileRequest& request) override;
  std::optional<std::string> Folder(QWidget* owner, const std::string& title,
                                    const std::string& initial_folder) override;
  std::optional<std::uint32_t> Color(QWidget* owner, std::uint32_t initial, bool full_open) override;
  std::optional<FontChoice> Font(QWidget* owner, const FontChoice& initial) override;
  bool Printer(QWidget* owner) override;
  bool PrinterProperties(QWidget* owner) override;
};

}  // namespace quorvex::dialogs
