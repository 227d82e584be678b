// The real message boxes: QMessageBox with an OK button and the information, error or no icon.
#pragma once

#include "ui/MessageBoxes.h"

namespace quorvex::ui {

class QtMessageBoxes : public MessageBoxes {
 public:
  void Show(QWidget* parent, const QString& text, engine::MessageIcon icon) override;
};

}  // namespace quorvex::ui
