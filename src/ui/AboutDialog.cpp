// The About dialog "Dialog1": product name, version, and the support and web links.
#include "ui/AboutDialog.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "settings/ProductInfo.h"
#include "ui/MessageBoxes.h"
#include "ui/ShellOpener.h"
#include "ui/Twips.h"

namespace quorvex::ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  return label;
}

// The address as shown: without "scheme://".
QString WithoutScheme(const QString& address) {
  const qsizetype separator = address.indexOf(QStringLiteral("://"));
  return separator < 0 ? address : address.mid(separator + 3);
}

void MakeLink(QLabel* label) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
  label->setPalette(palette);
  label->setCursor(Qt::PointingHandCursor);
}

}  // namespace

AboutDialog::AboutDialog(ShellOpener& shell, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), shell_(shell), messages_(messages) {
  setObjectName(QStringLiteral("Dialog1"));
  setWindowTitle(QStringLiteral("About us"));
  setModal(true);
  setFixedSize(Twips(4905), Twips(4110));
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSize(8);
  setFont(arial);

  Label1 = MakeLabel(this, "Label1", QStringLiteral("Quorvex"), TwipsRect(840, 240, 2055, 255));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label4 = MakeLabel(this, "Label4", QString::fromLatin1(settings::kAboutVersionText),
                     TwipsRect(840, 480, 1455, 255));
  Frame1 = new QFrame(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setFrameShape(QFrame::StyledPanel);
  Frame1->setGeometry(TwipsRect(240, 960, 4450, 1090));
  Label3 = MakeLabel(Frame1, "Label3", QStringLiteral("Technical Support:"), TwipsRect(120, 240, 1690, 250));
  Label2 = MakeLabel(Frame1, "Label2", QString::fromLatin1(settings::kSupportMailAddress),
                     TwipsRect(1800, 240, 2290, 250));
  Label7 = MakeLabel(Frame1, "Label7", QStringLiteral(" Website:"), TwipsRect(120, 480, 850, 250));
  Label8 = MakeLabel(Frame1, "Label8", WithoutScheme(QString::fromLatin1(settings::kHomePageAddress)),
                     TwipsRect(1800, 480, 1930, 250));
  MakeLink(Label2);
  MakeLink(Label8);
  Label2->installEventFilter(this);
  Label8->installEventFilter(this);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(TwipsRect(120, 3600, 1215, 375));
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == Label2) {
      OpenLink(QUrl(QStringLiteral("mailto:") + Label2->text()));
      return true;
    }
    if (watched == Label8) {
      OpenLink(QUrl(QString::fromLatin1(settings::kHomePageAddress)));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AboutDialog::OpenLink(const QUrl& url) {
  if (!shell_.Open(url)) {
    messages_.Show(this, QStringLiteral("The desktop could not open ") + url.toString(),
                   engine::MessageIcon::kError);
  }
}

}  // namespace quorvex::ui
