// quorvex-gui: starts the desktop window with the built-in engine; paths given are added at once.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>
#include <exception>
#include <string>
#include <vector>

#include "automation/builtin/BuiltinApplication.h"
#include "dialogs/QtDialogProvider.h"
#include "engine/ExporterTable.h"
#include "settings/ProgramFiles.h"
#include "sheet/writers/TemporaryFiles.h"
#include "ui/DesktopShellOpener.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"

int main(int argc, char** argv) {
  using namespace quorvex;
  // A session ended by a signal during a run leaves no half-written temporary file behind.
  sheet::RemoveTemporaryFilesOnInterrupt();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quorvex"));
  QApplication::setApplicationDisplayName(QStringLiteral("Quorvex"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
  // Ties the window to its installed desktop entry and icon (an empty icon in a build tree).
  QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEX_DESKTOP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUORVEX_ICON_NAME)));
  try {
    const std::string program_folder = QCoreApplication::applicationDirPath().toStdString();
    const std::string config_folder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    const settings::ProgramFiles files =
        settings::LocateProgramFiles(program_folder, QUORVEX_DATA_FROM_BIN, config_folder);

    dialogs::QtDialogProvider dialogs;
    ui::QtMessageBoxes messages;
    ui::DesktopShellOpener shell(messages);
    ui::WindowServices services{dialogs,
                                messages,
                                shell,
                                &automation::CreateBuiltinApplication,
                                engine::StandardExporters(),
                                files.settings_folder,
                                files.help_file};
    ui::MainWindow window(std::move(services));
    window.show();

    std::vector<std::string> paths;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
      paths.push_back(QDir(arguments[i]).absolutePath().toStdString());
    }
    window.AddPaths(paths);
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QStringLiteral("Quorvex"), QString::fromStdString(error.what()));
    return 1;
  }
}
