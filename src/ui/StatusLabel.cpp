// The status line: one line of text, cut with an ellipsis when it is wider than the window.
#include "ui/StatusLabel.h"

#include <QPainter>
#include <QStyle>

namespace quorvex::ui {

StatusLabel::StatusLabel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setTextFormat(Qt::PlainText);
}

QSize StatusLabel::minimumSizeHint() const {
  // Any width will do: the text is cut to fit.
  return QSize(0, QLabel::minimumSizeHint().height());
}

void StatusLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                        foregroundRole());
}

}  // namespace quorvex::ui
