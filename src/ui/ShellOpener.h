// Where the window's "open this in the desktop" requests go: the desktop, or a recorder in tests.
#pragma once

#include <QUrl>

namespace quorvex::ui {

/// Opens a folder, a file, a web address or a mail link with the desktop's opener. The result is
/// not reported: a missing opener leaves the program as it was.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  virtual void Open(const QUrl& url) = 0;
};

}  // namespace quorvex::ui
