// The settings dialog "Setting": the two switches that decide which lists are saved on exit.
#include "ui/SettingDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <utility>

#include "settings/SaveSwitches.h"
#include "ui/Twips.h"

namespace quorvex::ui {

SettingDialog::SettingDialog(std::string settings_folder, QWidget* parent)
    : QDialog(parent), settings_folder_(std::move(settings_folder)) {
  setObjectName(QStringLiteral("Setting"));
  setWindowTitle(QStringLiteral("Setting"));
  setModal(true);
  setFixedSize(Twips(3735), Twips(1560));
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSize(8);
  setFont(arial);

  // The caption ends with CR LF, so it takes two lines and its text sits above the middle.
  Check1 = new QCheckBox(QStringLiteral("Automatically save the current file\r\n"), this);
  Check1->setObjectName(QStringLiteral("Check1"));
  Check1->setGeometry(TwipsRect(360, 240, 2895, 370));
  Check2 = new QCheckBox(QStringLiteral("Automatically save the output directory"), this);
  Check2->setObjectName(QStringLiteral("Check2"));
  Check2->setGeometry(TwipsRect(360, 600, 3135, 255));
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(TwipsRect(360, 1080, 1215, 375));
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  CancelButton->setGeometry(TwipsRect(2040, 1080, 1215, 375));

  const settings::SaveSwitches switches = settings::ReadSaveSwitches(settings_folder_);
  Check1->setChecked(switches.save_input_list);
  Check2->setChecked(switches.save_output_directories);

  connect(OKButton, &QPushButton::clicked, this, &SettingDialog::OkClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void SettingDialog::OkClick() {
  settings::WriteSaveSwitches(settings_folder_, {Check1->isChecked(), Check2->isChecked()});
  accept();
}

}  // namespace quorvex::ui
