// The main window's commands: each button and menu item hands its work to the catalogue or engine.
#include <QCloseEvent>
#include <QComboBox>
#include <QStringList>
#include <QUrl>

#include "catalogue/InputListCommands.h"
#include "dialogs/CCommonDialogs.h"
#include "engine/PathHelpers.h"
#include "settings/OutputDirectoryRules.h"
#include "settings/ProductInfo.h"
#include "settings/SavedLists.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/SettingDialog.h"
#include "ui/ShellOpener.h"

namespace quorvex::ui {

void MainWindow::AddExcelClick() {
  try {
    dialogs::CCommonDialogs dialog(services_.dialogs);
    dialog.Init(this);
    dialog.SetTitle("Select Excel File");
    dialog.SetMultiSelect(true);
    dialog.SetPath(last_dialog_folder_);
    if (dialog.ShowOpen()) {
      last_dialog_folder_ = dialog.Path();
      catalogue::AddInputFiles(context_, *this, dialog.file_names());
    }
  } catch (...) {
    // A failing dialog ends the command silently.
  }
  SetBusy(false);
}

void MainWindow::AddFolderClick() {
  try {
    dialogs::CCommonDialogs dialog(services_.dialogs);
    dialog.Init(this);
    dialog.SetTitle("Add all excel files in folder");
    dialog.SetPath(last_dialog_folder_);
    if (dialog.ShowFolder()) {
      last_dialog_folder_ = dialog.Path();
      catalogue::AddInputFolder(context_, *this, dialog.Path());
    }
  } catch (...) {
  }
  SetBusy(false);
}

void MainWindow::AddPaths(const std::vector<std::string>& paths) {
  QStringList refused;
  for (const std::string& path : paths) {
    if (!catalogue::AddDroppedPath(context_, *this, path)) {
      refused << QString::fromStdString(path);
    }
  }
  if (!refused.isEmpty()) {
    ShowMessage("Only workbooks (.xls, .xlsx, .xlsm, .xlsb) and folders can be added. Not added:\n" +
                    refused.join(QStringLiteral("\n")).toStdString(),
                engine::MessageIcon::kInformation);
  }
}

void MainWindow::RemoveFileClick() {
  catalogue::RemoveSelectedInput(context_, *this);
}
void MainWindow::MoveUpClick() {
  catalogue::MoveSelectedInputUp(*this);
}
void MainWindow::MoveDownClick() {
  catalogue::MoveSelectedInputDown(*this);
}
void MainWindow::RemoveAllClick() {
  catalogue::RemoveAllInputs(context_, *this);
}

void MainWindow::HelpClick() {
  const QString manual = QString::fromStdString(services_.help_file);
  OpenOrReport(QUrl::fromLocalFile(manual), QStringLiteral("the manual ") + manual);
}

void MainWindow::HomePageClick() {
  const QString address = QString::fromLatin1(settings::kHomePageAddress);
  OpenOrReport(QUrl(address), QStringLiteral("the home page ") + address);
}

bool MainWindow::OpenOrReport(const QUrl& url, const QString& what) {
  if (services_.shell.Open(url)) {
    return true;
  }
  ShowMessage(("The desktop could not open " + what).toStdString(), engine::MessageIcon::kError);
  return false;
}

void MainWindow::ExitClick() {
  close();
}

void MainWindow::BrowseClick() {
  try {
    dialogs::CCommonDialogs dialog(services_.dialogs);
    dialog.Init(this);
    dialog.SetTitle("Output Folder");
    dialog.SetPath(OutputDirectoryText().empty() ? last_dialog_folder_ : OutputDirectoryText());
    if (!dialog.ShowFolder() || dialog.Path().empty()) {
      return;
    }
    last_dialog_folder_ = dialog.Path();
    Combo5->insertItem(0, QString::fromStdString(dialog.Path()));
    Combo5->setCurrentIndex(0);
    Combo5->setEditText(Combo5->itemText(0));
  } catch (...) {
  }
}

void MainWindow::ViewClick() {
  // An empty box would otherwise name the root folder "/".
  const std::string text = OutputDirectoryText();
  const std::string folder = text + "/";
  if (!text.empty() && engine::PathKind(folder) == engine::kFolderAtPath) {
    OpenInShell(folder);
  }
}

void MainWindow::RemoveOutputClick() {
  const int count = Combo5->count();
  const int index = OutputListIndex();
  if (count == 0 || index < 0) {
    return;
  }
  Combo5->removeItem(index);
  const int next = settings::SelectionAfterRemoval(count, index);
  Combo5->setCurrentIndex(next);
  Combo5->setEditText(next >= 0 ? Combo5->itemText(next) : QString());
}

void MainWindow::RemoveAllOutputClick() {
  const int count = Combo5->count();
  for (int i = 0; i < count; ++i) {
    Combo5->removeItem(0);
  }
  Combo5->setEditText(QString());
}

void MainWindow::SettingsClick() {
  SettingDialog dialog(services_.settings_folder, this);
  dialog.exec();
}

void MainWindow::AboutClick() {
  AboutDialog dialog(services_.shell, services_.messages, this);
  dialog.exec();
}

std::vector<std::string> MainWindow::InputTexts() const {
  std::vector<std::string> texts;
  for (int row = 1; row <= InputRowCount(); ++row) {
    texts.push_back(InputRowText(row));
  }
  return texts;
}

std::vector<std::string> MainWindow::OutputDirectories() const {
  std::vector<std::string> directories;
  directories.reserve(static_cast<std::size_t>(Combo5->count()));
  for (int i = 0; i < Combo5->count(); ++i) {
    directories.push_back(Combo5->itemText(i).toStdString());
  }
  return directories;
}

void MainWindow::SaveListsOnce() {
  if (!saved_) {
    saved_ = true;
    settings::SaveListsOnExit(services_.settings_folder, InputTexts(), OutputDirectories());
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (run_) {
    // The window closes once the run has stopped after its current sheet.
    close_when_run_ends_ = true;
    CancelClick();
    event->ignore();
    return;
  }
  SaveListsOnce();
  event->accept();
}

}  // namespace quorvex::ui
