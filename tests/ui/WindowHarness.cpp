// Starts the real main window with scripted dialogs, recorded message boxes and shell opens.
#include "ui/WindowHarness.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace quorvex::testing {

void RecordingMessageBoxes::Show(QWidget*, const QString& text, engine::MessageIcon icon) {
  shown.push_back({text, icon});
  busy_while_shown.push_back(QApplication::overrideCursor() != nullptr);
}

engine::ExporterTable EveryFormatExporters() {
  engine::ExporterTable table;
  for (int slot = 0; slot < engine::kExportSlotCount; ++slot) {
    table.Register(static_cast<engine::ExportSlot>(slot),
                   [](engine::EngineContext&, int) { return engine::ExportResult::kDone; });
  }
  return table;
}

ui::MainWindow& WindowHarness::Start(automation::ApplicationFactory factory, engine::ExporterTable exporters,
                                     int jobs) {
  ui::WindowServices services{dialogs,
                              messages,
                              shell,
                              std::move(factory),
                              std::move(exporters),
                              settings.path(),
                              settings / "help.html",
                              jobs};
  window_ = std::make_unique<ui::MainWindow>(std::move(services));
  window_->show();
  return *window_;
}

void WindowHarness::Close() {
  window_->close();
}

void WindowHarness::Convert() {
  Find<QToolButton>("Command6")->click();
  WaitForRun();
}

bool WindowHarness::WaitForRun() {
  return QTest::qWaitFor([this] { return Find<QToolButton>("Command6")->isEnabled(); }, 60000);
}

QAction* WindowHarness::Action(const char* name) const {
  return window_->findChild<QAction*>(QString::fromLatin1(name));
}

std::vector<std::pair<std::string, bool>> WindowHarness::Rows(const QTreeWidget* list) {
  std::vector<std::pair<std::string, bool>> rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list->topLevelItem(i);
    rows.emplace_back(item->text(0).toStdString(), item->checkState(0) == Qt::Checked);
  }
  return rows;
}

std::vector<std::string> WindowHarness::Texts(const QTreeWidget* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    texts.push_back(list->topLevelItem(i)->text(0).toStdString());
  }
  return texts;
}

void WindowHarness::ClickRow(QTreeWidget* list, int row) {
  QTreeWidgetItem* item = list->topLevelItem(row - 1);
  list->scrollToItem(item);
  const QRect rect = list->visualItemRect(item);
  // Click on the text, clear of the check box.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(rect.left() + rect.width() / 2, rect.center().y()));
}

void WindowHarness::ClickCheckBox(QTreeWidget* list, int row) {
  QTreeWidgetItem* item = list->topLevelItem(row - 1);
  list->scrollToItem(item);
  QStyleOptionViewItem option;
  option.initFrom(list->viewport());
  option.rect = list->visualItemRect(item);
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

}  // namespace quorvex::testing
