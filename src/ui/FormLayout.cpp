// Places the window's controls at their form positions and lets chosen ones follow a resize.
#include "ui/FormLayout.h"

#include <QWidget>
#include <QWidgetItem>
#include <algorithm>
#include <cmath>

namespace quorvex::ui {

FormLayout::FormLayout(QSize form_size) : form_size_(form_size) {
  setContentsMargins(0, 0, 0, 0);
}

FormLayout::~FormLayout() {
  while (QLayoutItem* item = takeAt(0)) {
    delete item;
  }
}

void FormLayout::Place(QWidget* widget, const QRect& form_rect, Share share, bool fit) {
  addChildWidget(widget);
  entries_.append(Entry{new QWidgetItem(widget), form_rect, share, fit});
  invalidate();
}

void FormLayout::addItem(QLayoutItem* item) {
  // Items added the generic way stay where they are.
  entries_.append(Entry{item, item->geometry(), Share{}, false});
}

QLayoutItem* FormLayout::itemAt(int index) const {
  return index >= 0 && index < entries_.size() ? entries_[index].item : nullptr;
}

QLayoutItem* FormLayout::takeAt(int index) {
  if (index < 0 || index >= entries_.size()) {
    return nullptr;
  }
  return entries_.takeAt(index).item;
}

QSize FormLayout::minimumSize() const {
  int extra_width = 0;
  for (const Entry& entry : entries_) {
    if (entry.fit && entry.share.width > 0 && !entry.item->isEmpty()) {
      const int missing = entry.item->sizeHint().width() - entry.form_rect.width();
      if (missing > 0) {
        extra_width = std::max(extra_width, static_cast<int>(std::ceil(missing / entry.share.width)));
      }
    }
  }
  return QSize(form_size_.width() + extra_width, form_size_.height());
}

void FormLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const double extra_width = std::max(0, rect.width() - form_size_.width());
  const double extra_height = std::max(0, rect.height() - form_size_.height());
  for (const Entry& entry : entries_) {
    const QRect& form = entry.form_rect;
    const Share& share = entry.share;
    int width = form.width() + static_cast<int>(share.width * extra_width);
    if (entry.fit) {
      width = std::max(width, entry.item->sizeHint().width());
    }
    const QRect placed(rect.x() + form.x() + static_cast<int>(share.x * extra_width),
                       rect.y() + form.y() + static_cast<int>(share.y * extra_height), width,
                       form.height() + static_cast<int>(share.height * extra_height));
    // Widgets take their rectangle exactly: the form's sizes win over the size policies.
    if (QWidget* widget = entry.item->widget()) {
      widget->setGeometry(placed);
    } else {
      entry.item->setGeometry(placed);
    }
  }
}

}  // namespace quorvex::ui
