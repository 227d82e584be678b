// The real opener: hands folders, files, web addresses and mail links to the desktop.
#pragma once

#include "ui/ShellOpener.h"

namespace quorvex::ui {

class DesktopShellOpener : public ShellOpener {
 public:
  /// QDesktopServices::openUrl; its result is ignored.
  void Open(const QUrl& url) override;
};

}  // namespace quorvex::ui
