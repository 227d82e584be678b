// The real opener: hands folders, files, web addresses and mail links to the desktop.
#pragma once

#include "ui/ShellOpener.h"

namespace quorvex::ui {

class MessageBoxes;

/// Opens through xdg-open when there is one, else through Qt's desktop services. xdg-open may
/// stay until the program it started ends, so its verdict is not waited for: a failure it
/// reports later is shown through `messages`.
class DesktopShellOpener : public ShellOpener {
 public:
  explicit DesktopShellOpener(MessageBoxes& messages) : messages_(messages) {}
  /// False when nothing could be started at all.
  bool Open(const QUrl& url) override;

 private:
  MessageBoxes& messages_;
};

}  // namespace quorvex::ui
