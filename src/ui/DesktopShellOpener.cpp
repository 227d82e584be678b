// The real opener: hands folders, files, web addresses and mail links to the desktop.
#include "ui/DesktopShellOpener.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

#include "ui/MessageBoxes.h"

namespace quorvex::ui {

namespace {

// The window a late report belongs over: the active one, else the first one shown.
QWidget* Owner() {
  if (QWidget* active = QApplication::activeWindow()) {
    return active;
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) {
      return window;
    }
  }
  return nullptr;
}

}  // namespace

bool DesktopShellOpener::Open(const QUrl& url) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    return QDesktopServices::openUrl(url);
  }
  auto* process = new QProcess(qApp);
  process->setProgram(opener);
  process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [this, process, url](int code, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || code != 0) {
                       const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
                       messages_.Show(Owner(), QStringLiteral("The desktop could not open ") + target,
                                      engine::MessageIcon::kError);
                     }
                     process->deleteLater();
                   });
  process->start();
  if (!process->waitForStarted()) {
    process->deleteLater();
    return false;
  }
  return true;
}

}  // namespace quorvex::ui
