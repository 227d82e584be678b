// The About dialog "Dialog1": product name, version, and the support and web links.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace quorvex::ui {

class MessageBoxes;
class ShellOpener;

/// Modal. The support link opens a new mail to the support address; the web link opens the home
/// page; either reports when the desktop cannot open it. "OK" and the close box just close it.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(ShellOpener& shell, MessageBoxes& messages, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenLink(const QUrl& url);

  ShellOpener& shell_;
  MessageBoxes& messages_;
  QLabel* Label1 = nullptr;
  QLabel* Label4 = nullptr;
  QFrame* Frame1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QPushButton* OKButton = nullptr;
};

}  // namespace quorvex::ui
