// The main window's commands: each button and menu item hands its work to the catalogue or engine.
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <exception>

#include "catalogue/InputListCommands.h"
#include "catalogue/ListWorksheets.h"
#include "dialogs/CCommonDialogs.h"
#include "engine/ConversionRun.h"
#include "engine/PathHelpers.h"
#include "settings/OutputDirectoryRules.h"
#include "settings/ProductInfo.h"
#include "settings/SavedLists.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/SettingDialog.h"
#include "ui/ShellOpener.h"

namespace quorvex::ui {

namespace {

// The local paths of files and folders being dragged, in order.
std::vector<std::string> DroppedPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) {
    return paths;
  }
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) {
      paths.push_back(url.toLocalFile().toStdString());
    }
  }
  return paths;
}

}  // namespace

void MainWindow::AddExcelClick() {
  try {
    dialogs::CCommonDialogs dialog(services_.dialogs);
    dialog.Init(this);
    dialog.SetTitle("Select Excel File");
    if (dialog.ShowOpen()) {
      catalogue::AddInputFile(context_, *this, dialog.FileName());
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
    if (dialog.ShowFolder()) {
      catalogue::AddInputFolder(context_, *this, dialog.Path());
    }
  } catch (...) {
  }
  SetBusy(false);
}

void MainWindow::AddPaths(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    catalogue::AddDroppedPath(context_, *this, path);
  }
}

void MainWindow::RemoveFileClick() { catalogue::RemoveSelectedInput(context_, *this); }
void MainWindow::MoveUpClick() { catalogue::MoveSelectedInputUp(*this); }
void MainWindow::MoveDownClick() { catalogue::MoveSelectedInputDown(*this); }
void MainWindow::RemoveAllClick() { catalogue::RemoveAllInputs(context_, *this); }
void MainWindow::InputItemClick() { catalogue::InputListItemClick(context_, *this); }
void MainWindow::WorkbookItemClick() { catalogue::WorkbookListItemClick(context_); }

void MainWindow::ConvertClick() {
  try {
    engine::RunConversion(context_, services_.exporters);
  } catch (const std::exception& error) {
    SetStatus("");
    SetProgressValue(0);
    SetBusy(false);
    ShowMessage(error.what(), engine::MessageIcon::kError);
  }
}

void MainWindow::HelpClick() { services_.shell.Open(QUrl::fromLocalFile(QString::fromStdString(services_.help_file))); }

void MainWindow::HomePageClick() { services_.shell.Open(QUrl(QString::fromLatin1(settings::kHomePageAddress))); }

void MainWindow::ExitClick() { close(); }

void MainWindow::BrowseClick() {
  try {
    dialogs::CCommonDialogs dialog(services_.dialogs);
    dialog.Init(this);
    dialog.SetTitle("Output Folder");
    if (!dialog.ShowFolder() || dialog.Path().empty()) {
      return;
    }
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
  AboutDialog dialog(services_.shell, this);
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
  SaveListsOnce();
  event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Enter on a list row does what a click on it does, for keyboard users.
  if ((watched == ListView1 || watched == ListView2) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && static_cast<QTreeWidget*>(watched)->currentItem()) {
      if (watched == ListView1) {
        InputItemClick();
      } else {
        WorkbookItemClick();
      }
      return true;
    }
  }
  if (watched != ListView1->viewport()) {
    return QMainWindow::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!DroppedPaths(drag->mimeData()).empty()) {
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<std::string> paths = DroppedPaths(drop->mimeData());
      drop->setDropAction(Qt::CopyAction);
      drop->accept();
      AddPaths(paths);
      return true;
    }
    default:
      return QMainWindow::eventFilter(watched, event);
  }
}

}  // namespace quorvex::ui
