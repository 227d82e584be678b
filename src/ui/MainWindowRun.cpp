// The main window's conversion run: started on a worker thread, cancelled, and summed up.
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>
#include <string_view>

#include "ui/BackgroundRun.h"
#include "ui/MainWindow.h"

namespace quorvex::ui {
namespace {

// How a workbook's warnings begin (`Warning: "Book.xlsx": ...`).
constexpr std::string_view kWarningPrefix = "Warning: ";

}  // namespace

void MainWindow::ConvertClick() {
  if (run_) {
    return;
  }
  EnableRunControls(false);
  run_ = std::make_unique<BackgroundRun>(
      *this, *this, state_, services_.application_factory, services_.exporters, services_.jobs,
      [this](const engine::RunSummary& summary, const std::string& error) { RunFinished(summary, error); });
}

void MainWindow::CancelClick() {
  if (run_) {
    run_->RequestCancel();
    CancelRun->setEnabled(false);
    SetStatus("Cancelling after the sheet being written...");
  }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Esc reaches the window itself when no shortcut took it (a window not yet active, say).
  if (run_ && event->key() == Qt::Key_Escape) {
    CancelClick();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindow::RunFinished(const engine::RunSummary& summary, const std::string& error) {
  // The run worked on a copy; its table, counter and output paths are the window's again.
  state_ = run_->state();
  run_.reset();
  EnableRunControls(true);
  if (!error.empty()) {
    ShowMessage(error, engine::MessageIcon::kError);
  }
  ShowSummary(summary);
  if (close_when_run_ends_) {
    close();
  }
}

void MainWindow::EnableRunControls(bool enabled) {
  if (!enabled) {
    // Everything that could change the run or the lists it reads; the state each had comes back.
    QObject* const changers[] = {Command1,  Command5,  Command2, Command6, Command3, Command4, ListView1,
                                 ListView2, ListView3, Combo1,   Combo2,   Combo3,   Combo4,   Combo5,
                                 Option1,   Option2,   Option3,  Option4,  Command10};
    enabled_before_run_.clear();
    for (QObject* control : changers) {
      enabled_before_run_.emplace_back(control, static_cast<QWidget*>(control)->isEnabled());
      static_cast<QWidget*>(control)->setEnabled(false);
    }
    for (const char* name : {"AddExcel", "AddFolder", "RemoveItem", "RemoveAll", "Removeoutput",
                             "RemoveAllOutput", "Separate"}) {
      QAction* action = findChild<QAction*>(QString::fromLatin1(name));
      enabled_before_run_.emplace_back(action, action->isEnabled());
      action->setEnabled(false);
    }
    centralWidget()->setCursor(Qt::BusyCursor);
  } else {
    for (const auto& [control, was_enabled] : enabled_before_run_) {
      if (auto* widget = qobject_cast<QWidget*>(control)) {
        widget->setEnabled(was_enabled);
      } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setEnabled(was_enabled);
      }
    }
    enabled_before_run_.clear();
    centralWidget()->unsetCursor();
  }
  CancelRun->setEnabled(!enabled);
  cancel_shortcut_->setEnabled(!enabled);
}

void MainWindow::ShowSummary(const engine::RunSummary& summary) {
  if (!summary.started) {
    return;
  }
  QString line =
      QString::fromStdString(engine::SummaryLine(summary) + ". Output folder: " + summary.output_root);
  QString details = line;
  if (!summary.failures.empty()) {
    QStringList failures;
    for (const engine::WorkbookFailure& failure : summary.failures) {
      failures << QString::fromStdString(engine::FailureText(failure));
      details += QStringLiteral("\n") + failures.back();
    }
    line += QStringLiteral(". Failed: ") + failures.join(QStringLiteral("; "));
  }
  if (!summary.warnings.empty()) {
    // Warnings report nothing lost but what they say (characters written as "?", say): the line
    // counts them and shows the first, the tooltip lists them all.
    const auto count = static_cast<int>(summary.warnings.size());
    // The count already says "warning", so the first one is shown without its own prefix.
    std::string_view first = summary.warnings.front();
    if (first.starts_with(kWarningPrefix)) first.remove_prefix(kWarningPrefix.size());
    line += QStringLiteral(". %1 %2: ").arg(count).arg(count == 1 ? "warning" : "warnings") +
            QString::fromUtf8(first.data(), static_cast<qsizetype>(first.size()));
    for (const std::string& warning : summary.warnings)
      details += QStringLiteral("\n") + QString::fromStdString(warning);
  }
  Label1->setText(line);
  Label1->setToolTip(details);
}

}  // namespace quorvex::ui
