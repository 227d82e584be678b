// Where the window's "open this in the desktop" requests go: the desktop, or a recorder in tests.
#pragma once

#include <QUrl>

namespace quorvex::ui {

/// Opens a folder, a file, a web address or a mail link with the desktop's opener.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  /// False when the desktop could not open it (no opener, or the opener failed).
  virtual bool Open(const QUrl& url) = 0;
};

}  // namespace quorvex::ui
