// Places the window's controls at their form positions and lets chosen ones follow a resize.
#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace quorvex::ui {

/// Each control has its rectangle on the form and, per edge, the share of the extra width and
/// height it takes when the area is larger than the form: a list that grows to the right takes
/// width 1, a button beside it moves right with x 1. At the form size every control sits exactly
/// at its form rectangle. A control marked `fit` always gets the width its contents need: one
/// that stretches widens the smallest size of the whole form (a drop-down list's longest entry),
/// one that does not grows to the right (a label's caption). The smallest size is also the
/// preferred one, so a new window opens at it.
class FormLayout : public QLayout {
 public:
  struct Share {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
  };

  /// `form_size` is the form's client area in pixels.
  explicit FormLayout(QSize form_size);
  ~FormLayout() override;

  /// Adds `widget` (a child of the layout's widget) at `form_rect` (pixels).
  void Place(QWidget* widget, const QRect& form_rect, Share share, bool fit = false);

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override { return static_cast<int>(entries_.size()); }
  QSize sizeHint() const override { return minimumSize(); }
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  struct Entry {
    QLayoutItem* item;
    QRect form_rect;
    Share share;
    bool fit;
  };

  QSize form_size_;
  QList<Entry> entries_;
};

}  // namespace quorvex::ui
