// Where the window's message boxes go: real boxes in the program, a recorder in tests.
#pragma once

#include <QString>

#include "engine/Controls.h"

class QWidget;

namespace quorvex::ui {

/// Shows one modal message with an OK button and the given look.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(QWidget* parent, const QString& text, engine::MessageIcon icon) = 0;
};

}  // namespace quorvex::ui
