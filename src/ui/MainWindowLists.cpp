// The main window as engine::Controls and catalogue::InputListRows: reads and writes its widgets.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/ShellOpener.h"

namespace quorvex::ui {

namespace {

constexpr int kIconRole = Qt::UserRole + 1;

QTreeWidgetItem* ItemAt(const QTreeWidget* list, int row) {
  return row >= 1 && row <= list->topLevelItemCount() ? list->topLevelItem(row - 1) : nullptr;
}

std::string TextAt(const QTreeWidget* list, int row) {
  const QTreeWidgetItem* item = ItemAt(list, row);
  return item != nullptr ? item->text(0).toStdString() : std::string();
}

bool CheckedAt(const QTreeWidget* list, int row) {
  const QTreeWidgetItem* item = ItemAt(list, row);
  return item != nullptr && item->checkState(0) == Qt::Checked;
}

int SelectedRow(const QTreeWidget* list) {
  QTreeWidgetItem* item = list->currentItem();
  return item != nullptr ? list->indexOfTopLevelItem(item) + 1 : 0;
}

// Appends a check-box row with its full text as tooltip; the first row of an empty list becomes
// the selected one. Filling a list is not the user's doing: its signals stay quiet.
void AddCheckRow(QTreeWidget* list, const std::string& text, bool checked) {
  const QSignalBlocker quiet(list);
  auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(text)});
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  item->setToolTip(0, item->text(0));
  list->addTopLevelItem(item);
  if (list->topLevelItemCount() == 1) {
    list->setCurrentItem(item);
  }
}

void ClearQuietly(QTreeWidget* list) {
  const QSignalBlocker quiet(list);
  list->clear();
}

QIcon InputIconImage(const QWidget* widget, catalogue::InputIcon icon) {
  switch (icon) {
    case catalogue::InputIcon::kFile:
      return widget->style()->standardIcon(QStyle::SP_FileIcon);
    case catalogue::InputIcon::kFolder:
      return widget->style()->standardIcon(QStyle::SP_DirIcon);
    case catalogue::InputIcon::kMissing:
      break;
  }
  return widget->style()->standardIcon(QStyle::SP_MessageBoxWarning);
}

}  // namespace

std::string MainWindow::SelectedInputEntry() const {
  return TextAt(ListView1, SelectedRow(ListView1));
}

int MainWindow::WorkbookRowCount() const {
  return ListView2->topLevelItemCount();
}
std::string MainWindow::WorkbookRowText(int row) const {
  return TextAt(ListView2, row);
}
bool MainWindow::WorkbookRowChecked(int row) const {
  return CheckedAt(ListView2, row);
}
int MainWindow::SelectedWorkbookRow() const {
  return SelectedRow(ListView2);
}
void MainWindow::ClearWorkbookRows() {
  ClearQuietly(ListView2);
}
void MainWindow::AddWorkbookRow(const std::string& text, bool checked) {
  AddCheckRow(ListView2, text, checked);
}
void MainWindow::RepaintWorkbookRows() {
  ListView2->viewport()->repaint();
}

int MainWindow::WorksheetRowCount() const {
  return ListView3->topLevelItemCount();
}
std::string MainWindow::WorksheetRowText(int row) const {
  return TextAt(ListView3, row);
}
bool MainWindow::WorksheetRowChecked(int row) const {
  return CheckedAt(ListView3, row);
}
void MainWindow::ClearWorksheetRows() {
  ClearQuietly(ListView3);
}
void MainWindow::AddWorksheetRow(const std::string& text, bool checked) {
  AddCheckRow(ListView3, text, checked);
}
void MainWindow::RepaintWorksheetRows() {
  ListView3->viewport()->repaint();
}

int MainWindow::FormatIndex() const {
  const QVariant format = Combo3->currentData();
  return format.isValid() ? format.toInt() : -1;
}
int MainWindow::NamingMode() const {
  return Combo1->currentIndex();
}
int MainWindow::HtmlTypeIndex() const {
  return Combo2->currentIndex();
}
int MainWindow::PageTitleIndex() const {
  return Combo4->currentIndex();
}
bool MainWindow::EntireWorkbook() const {
  return Option1->isChecked();
}
bool MainWindow::ShortExtension() const {
  return Option3->isChecked();
}

std::string MainWindow::OutputDirectoryText() const {
  return Combo5->currentText().toStdString();
}

bool MainWindow::OutputDirectoryTyped() const {
  return OutputListIndex() < 0;
}

// Combo5's ListIndex: the picked entry, or -1 once the edit field holds text that was typed.
int MainWindow::OutputListIndex() const {
  const int index = Combo5->currentIndex();
  if (index < 0 || Combo5->currentText() != Combo5->itemText(index)) {
    return -1;
  }
  return index;
}

void MainWindow::SetStatus(const std::string& text) {
  Label1->setText(QString::fromStdString(text));
  Label1->setToolTip(Label1->text());
  Label1->repaint();
}

void MainWindow::SetProgressMax(double max) {
  // QProgressBar shows a busy animation for an empty range; one step is the least it shows.
  const int steps = std::max(1, static_cast<int>(std::lround(std::min(max, 2e9))));
  ProgressBar1->setMaximum(steps);
  ProgressBar1->repaint();
}

void MainWindow::SetProgressValue(double value) {
  const int step = static_cast<int>(std::lround(std::clamp(value, 0.0, 2e9)));
  ProgressBar1->setValue(std::min(step, ProgressBar1->maximum()));
  ProgressBar1->repaint();
}

void MainWindow::SetBusy(bool busy) {
  if (busy && !busy_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (!busy && busy_) {
    QApplication::restoreOverrideCursor();
  }
  busy_ = busy;
}

void MainWindow::ShowMessage(const std::string& text, engine::MessageIcon icon) {
  // The user answers the box with the normal pointer; the hourglass comes back after it.
  const bool was_busy = busy_;
  SetBusy(false);
  services_.messages.Show(this, QString::fromStdString(text), icon);
  SetBusy(was_busy);
}

void MainWindow::OpenInShell(const std::string& path) {
  const QString folder = QString::fromStdString(path);
  OpenOrReport(QUrl::fromLocalFile(folder), QStringLiteral("the folder ") + folder);
}

int MainWindow::InputRowCount() const {
  return ListView1->topLevelItemCount();
}
std::string MainWindow::InputRowText(int row) const {
  return TextAt(ListView1, row);
}

catalogue::InputIcon MainWindow::InputRowIcon(int row) const {
  const QTreeWidgetItem* item = ItemAt(ListView1, row);
  return item != nullptr ? static_cast<catalogue::InputIcon>(item->data(0, kIconRole).toInt())
                         : catalogue::InputIcon::kMissing;
}

int MainWindow::SelectedInputRow() const {
  return SelectedRow(ListView1);
}

void MainWindow::InsertInputRow(int row, const std::string& text, catalogue::InputIcon icon) {
  const QSignalBlocker quiet(ListView1);
  auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(text)});
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setIcon(0, InputIconImage(this, icon));
  item->setData(0, kIconRole, static_cast<int>(icon));
  item->setToolTip(0, item->text(0));
  const bool was_empty = ListView1->topLevelItemCount() == 0;
  ListView1->insertTopLevelItem(std::clamp(row - 1, 0, ListView1->topLevelItemCount()), item);
  if (was_empty) {
    ListView1->setCurrentItem(item);
  }
}

void MainWindow::RemoveInputRow(int row) {
  const QSignalBlocker quiet(ListView1);
  if (row >= 1 && row <= ListView1->topLevelItemCount()) {
    delete ListView1->takeTopLevelItem(row - 1);
  }
}

void MainWindow::SelectInputRow(int row) {
  const QSignalBlocker quiet(ListView1);
  if (QTreeWidgetItem* item = ItemAt(ListView1, row)) {
    ListView1->setCurrentItem(item);
    ListView1->scrollToItem(item);
  }
}

void MainWindow::ClearInputRows() {
  ClearQuietly(ListView1);
}
void MainWindow::RepaintInputRows() {
  ListView1->viewport()->repaint();
}

}  // namespace quorvex::ui
