// The real dialogs: Qt's file, folder, colour, font, print and page set-up dialogs.
#include "dialogs/QtDialogProvider.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

namespace quorvex::dialogs {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// Qt reads the patterns from the last parenthesised group of a filter entry.
QString NameFilter(const std::string& description, const std::string& pattern) {
  return Text(description) + " (" + Text(pattern).replace(';', ' ') + ")";
}

// The chosen files of an open-file dialog; none when cancelled.
std::vector<std::string> ShowOpenDialog(QWidget* owner, const OpenFileRequest& request, bool several) {
  QFileDialog dialog(owner, Text(request.title), Text(request.initial_folder));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setNameFilter(NameFilter(request.filter_description, request.filter_pattern));
  dialog.setDefaultSuffix(Text(request.default_extension));
  if (!request.initial_file.empty()) {
    dialog.selectFile(Text(request.initial_file));
  }
  std::vector<std::string> files;
  if (dialog.exec() == QDialog::Accepted) {
    for (const QString& file : dialog.selectedFiles()) {
      files.push_back(file.toStdString());
    }
  }
  return files;
}

}  // namespace

std::optional<std::string> QtDialogProvider::OpenFile(QWidget* owner, const OpenFileRequest& request) {
  std::vector<std::string> files = ShowOpenDialog(owner, request, false);
  if (files.empty()) {
    return std::nullopt;
  }
  return files.front();
}

std::vector<std::string> QtDialogProvider::OpenFiles(QWidget* owner, const OpenFileRequest& request) {
  return ShowOpenDialog(owner, request, true);
}

std::optional<std::string> QtDialogProvider::SaveFile(QWidget* owner, const SaveFileRequest& request) {
  QFileDialog dialog(owner, Text(request.title), Text(request.initial_folder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  QStringList filters;
  for (const auto& [description, pattern] : request.filters) {
    filters << NameFilter(description, pattern);
  }
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtDialogProvider::Folder(QWidget* owner, const std::string& title,
                                                    const std::string& initial_folder) {
  const QString folder = QFileDialog::getExistingDirectory(owner, Text(title), Text(initial_folder));
  if (folder.isEmpty()) {
    return std::nullopt;
  }
  return folder.toStdString();
}

std::optional<std::uint32_t> QtDialogProvider::Color(QWidget* owner, std::uint32_t initial, bool) {
  // Qt's colour dialog always shows its custom-colour part.
  const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                     static_cast<int>((initial >> 16) & 0xFF));
  const QColor chosen = QColorDialog::getColor(start, owner);
  if (!chosen.isValid()) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8) |
         (static_cast<std::uint32_t>(chosen.blue()) << 16);
}

std::optional<FontChoice> QtDialogProvider::Font(QWidget* owner, const FontChoice& initial) {
  QFont start(Text(initial.name));
  if (initial.size > 0) {
    start.setPointSize(initial.size);
  }
  start.setBold(initial.bold);
  start.setItalic(initial.italic);
  start.setUnderline(initial.underline);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, start, owner);
  if (!ok) {
    return std::nullopt;
  }
  FontChoice result;
  result.name = chosen.family().toStdString();
  result.size = chosen.pointSize();
  result.bold = chosen.bold();
  result.italic = chosen.italic();
  result.underline = chosen.underline();
  return result;
}

bool QtDialogProvider::Printer(QWidget* owner) {
  QPrinter printer;
  QPrintDialog dialog(&printer, owner);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  return dialog.exec() == QDialog::Accepted;
}

bool QtDialogProvider::PrinterProperties(QWidget* owner) {
  const QPrinterInfo default_printer = QPrinterInfo::defaultPrinter();
  if (default_printer.isNull()) {
    return false;
  }
  QPrinter printer(default_printer);
  QPageSetupDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quorvex::dialogs
