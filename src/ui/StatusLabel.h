// The status line: one line of text, cut with an ellipsis when it is wider than the window.
#pragma once

#include <QLabel>

namespace quorvex::ui {

/// A label whose text() stays whole while it shows as much as fits, ending in "…"; the whole
/// text is its tooltip unless one is set explicitly.
class StatusLabel : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLabel(QWidget* parent = nullptr);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvex::ui
