// The settings dialog "Setting": the two switches that decide which lists are saved on exit.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QPushButton;

namespace quorvex::ui {

/// Modal. Shows the switches of "set.txt" in `settings_folder` when it opens; "OK" writes both,
/// "Cancel" and the close box write nothing.
class SettingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SettingDialog(std::string settings_folder, QWidget* parent = nullptr);

 private:
  void OkClick();

  std::string settings_folder_;
  QCheckBox* Check1 = nullptr;
  QCheckBox* Check2 = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace quorvex::ui
