// The real message boxes: QMessageBox with an OK button and the information, error or no icon.
#include "ui/QtMessageBoxes.h"

#include <QMessageBox>

namespace quorvex::ui {

void QtMessageBoxes::Show(QWidget* parent, const QString& text, engine::MessageIcon icon) {
  QMessageBox::Icon look = QMessageBox::NoIcon;
  if (icon == engine::MessageIcon::kInformation) {
    look = QMessageBox::Information;
  } else if (icon == engine::MessageIcon::kError) {
    look = QMessageBox::Critical;
  }
  // The boxes carry no title of their own: the program's name stands there.
  QMessageBox box(look, QStringLiteral("Quorvex"), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace quorvex::ui
