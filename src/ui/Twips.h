// Converts the window's fixed layout, given in twips, to Qt's logical pixels.
#pragma once

#include <QRect>

namespace quorvex::ui {

/// 15 twips make one pixel at 96 dpi; Qt's logical pixels follow the display scaling.
inline constexpr int Twips(int twips) {
  return (twips * 2 + 15) / 30;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

}  // namespace quorvex::ui
