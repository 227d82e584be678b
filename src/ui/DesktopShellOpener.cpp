// The real opener: hands folders, files, web addresses and mail links to the desktop.
#include "ui/DesktopShellOpener.h"

#include <QDesktopServices>

namespace quorvex::ui {

void DesktopShellOpener::Open(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace quorvex::ui
