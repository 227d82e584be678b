// What the user does to the three lists: changing rows, ticking boxes, dropping files, menus.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QUrl>

#include "catalogue/InputListCommands.h"
#include "catalogue/ListWorksheets.h"
#include "ui/MainWindow.h"

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

void MainWindow::InputItemClick() {
  catalogue::InputListItemClick(context_, *this);
}
void MainWindow::WorkbookItemClick() {
  catalogue::WorkbookListItemClick(context_);
}

void MainWindow::ConnectLists() {
  // A new current row, by mouse, keyboard or dragging, lists it as a click does. A click on the
  // row already current lists it again; a click on a check box only ticks it.
  const auto follow = [this](QTreeWidget* list, void (MainWindow::*list_it)()) {
    connect(list, &QTreeWidget::currentItemChanged, this, [this, list_it](QTreeWidgetItem* current) {
      row_changed_by_press_ = true;
      if (current != nullptr) {
        (this->*list_it)();
      }
    });
    connect(list, &QTreeWidget::itemClicked, this, [this, list_it] {
      if (!row_changed_by_press_ && !box_changed_by_press_) {
        (this->*list_it)();
      }
    });
    connect(list, &QTreeWidget::itemChanged, this, [this] { box_changed_by_press_ = true; });
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
  };
  follow(ListView1, &MainWindow::InputItemClick);
  follow(ListView2, &MainWindow::WorkbookItemClick);
}

void MainWindow::CreateListMenus() {
  // Right-click menus tick or untick every row; so do Ctrl+A and Ctrl+Shift+A (eventFilter).
  const auto add = [this](QTreeWidget* list, const char* name, const QString& caption, bool ticked) {
    auto* action = new QAction(caption, list);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, list, ticked] { TickAll(list, ticked); });
    list->addAction(action);
  };
  add(ListView2, "SelectAllWorkbooks", QStringLiteral("Select All\tCtrl+A"), true);
  add(ListView2, "SelectNoWorkbooks", QStringLiteral("Select None\tCtrl+Shift+A"), false);
  add(ListView3, "SelectAllWorksheets", QStringLiteral("Select All\tCtrl+A"), true);
  add(ListView3, "SelectNoWorksheets", QStringLiteral("Select None\tCtrl+Shift+A"), false);
  for (QTreeWidget* list : {ListView2, ListView3}) {
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    list->headerItem()->setToolTip(
        0, QStringLiteral("Right-click, Ctrl+A or Ctrl+Shift+A to select all or none"));
  }
  ListView3->installEventFilter(this);
}

void MainWindow::TickAll(QTreeWidget* list, bool ticked) {
  const QSignalBlocker quiet(list);
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    list->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    // A new press: what the last one did no longer matters.
    row_changed_by_press_ = false;
    box_changed_by_press_ = false;
  }
  if ((watched == ListView2 || watched == ListView3) && event->type() == QEvent::KeyPress) {
    auto* list = static_cast<QTreeWidget*>(watched);
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->key() == Qt::Key_A && (press->modifiers() & Qt::ControlModifier)) {
      TickAll(list, !(press->modifiers() & Qt::ShiftModifier));
      return true;
    }
  }
  // Enter on a list row does what a click on it does, for keyboard users.
  if ((watched == ListView1 || watched == ListView2) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        static_cast<QTreeWidget*>(watched)->currentItem()) {
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
