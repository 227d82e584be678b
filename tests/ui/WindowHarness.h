// Starts the real main window with scripted dialogs, recorded message boxes and shell opens.
#pragma once

#include <QString>
#include <QUrl>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/ScriptedDialogProvider.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxes.h"
#include "ui/ShellOpener.h"

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvex::testing {

class RecordingMessageBoxes : public ui::MessageBoxes {
 public:
  struct Shown {
    QString text;
    engine::MessageIcon icon;
    bool operator==(const Shown&) const = default;
  };
  void Show(QWidget*, const QString& text, engine::MessageIcon icon) override;
  std::vector<Shown> shown;
  /// Whether the hourglass was up while each box was shown.
  std::vector<bool> busy_while_shown;
};

class RecordingShellOpener : public ui::ShellOpener {
 public:
  /// Records the request; answers as the desktop would when `works` (false: no opener).
  bool Open(const QUrl& url) override {
    opened.push_back(url);
    return works;
  }
  std::vector<QUrl> opened;
  bool works = true;
};

/// An exporter table with a do-nothing exporter in every slot, so every format is offered.
engine::ExporterTable EveryFormatExporters();

/// One window under test and everything around it; the settings folder is a fresh temp folder.
class WindowHarness {
 public:
  /// Starts the window (the start-up sequence runs) with the given application factory.
  ui::MainWindow& Start(automation::ApplicationFactory factory,
                        engine::ExporterTable exporters = EveryFormatExporters());
  ui::MainWindow& Window() { return *window_; }
  /// Closes the window the way the close box does.
  void Close();
  /// Clicks "Convert" and waits until the run on the worker thread has ended.
  void Convert();
  /// Waits until no run is going (Convert is enabled again); false after a minute.
  bool WaitForRun();

  template <typename T>
  T* Find(const char* name) const {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* Action(const char* name) const;

  /// Texts and check states of a list view's rows.
  static std::vector<std::pair<std::string, bool>> Rows(const QTreeWidget* list);
  static std::vector<std::string> Texts(const QTreeWidget* list);
  /// Clicks row `row` (1-based) of `list` with the mouse, as the user does.
  static void ClickRow(QTreeWidget* list, int row);
  /// Clicks the check box of row `row` (1-based) of `list`.
  static void ClickCheckBox(QTreeWidget* list, int row);

  TempDir settings;
  TempDir files;
  ScriptedDialogProvider dialogs;
  RecordingMessageBoxes messages;
  RecordingShellOpener shell;

 private:
  std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace quorvex::testing
