// Tests of the main window's layout, menus, start-up state, option lists and enabling rules.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>

#include "support/FakeExcel.h"
#include "ui/Twips.h"
#include "ui/WindowHarness.h"

namespace quorvex::ui {
namespace {

using testing::FakeExcel;
using testing::WindowHarness;

QStringList Entries(const QComboBox* combo) {
  QStringList entries;
  for (int i = 0; i < combo->count(); ++i) {
    entries << combo->itemText(i);
  }
  return entries;
}

QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

const QStringList kAllFormats = {"Comma Delimited(*.csv)",  "Text (*.txt)",
                                 "Web Page (*.htm; *html)", "Single File Web Page (*.mht; *mhtml)",
                                 "XML Spreadsheet (*.xml)", "DBF4(dBASE IV)",
                                 "DBF3(dBASE III)",         "DBF2(dBASE II)"};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    excel_ = std::make_unique<FakeExcel>();
    harness_ = std::make_unique<WindowHarness>();
  }
  void cleanup() {
    harness_.reset();
    excel_.reset();
  }

  void ControlsSitAtTheirFormPlacesWithTheirCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    const auto row = [](const char* name, const char* caption, int l, int t, int w, int h) {
      QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << QRect(l, t, w, h);
    };
    row("Command1", "Add Excel", 120, 0, 1210, 975);
    row("Command5", "Add Folder", 1440, 0, 1210, 975);
    row("Command2", "Remove File", 2760, 0, 1330, 975);
    row("Command6", "Convert", 5040, 0, 1090, 975);
    row("Command8", "Help", 6240, 0, 970, 975);
    row("Command7", "HomePage", 7320, 0, 1090, 975);
    row("Command9", "Exit", 8520, 0, 970, 975);
    row("ListView1", "", 120, 1080, 9015, 2175);
    row("Command3", "", 9240, 1320, 370, 610);
    row("Command4", "", 9240, 2160, 370, 610);
    row("Label4", "File Format:", 120, 3360, 850, 250);
    row("Combo3", "", 1080, 3360, 3855, 330);
    row("Label2", "File Name:", 5040, 3360, 850, 260);
    row("Combo1", "", 5880, 3360, 3495, 330);
    row("Label3", "HTML Type:", 120, 3720, 855, 255);
    row("Combo2", "", 1080, 3720, 3855, 330);
    row("Label5", "Page Title:", 5040, 3720, 850, 250);
    row("Combo4", "", 5880, 3720, 3495, 330);
    row("Option2", "Convert each Sheet to html file", 120, 4200, 2655, 250);
    row("Option1", "Entire Workbook", 2880, 4200, 1815, 250);
    row("Label6", "File Extension Name:", 5040, 4200, 1575, 255);
    row("Frame1", "", 6600, 4080, 2775, 405);
    row("Option3", "htm", 120, 120, 1090, 250);
    row("Option4", "html", 1320, 120, 970, 250);
    row("ListView2", "", 120, 4560, 4575, 2895);
    row("ListView3", "", 4920, 4560, 4575, 2895);
    row("Label1", "", 120, 7560, 6975, 255);
    row("Label7", "Select  output directory:", 120, 7920, 1935, 255);
    row("Combo5", "", 2160, 7920, 5505, 330);  // the form's 5535 overlaps "Browse"
    row("Command10", "Browse", 7680, 7920, 975, 325);
    row("Command11", "View", 8760, 7920, 855, 325);
    row("ProgressBar1", "", 120, 8280, 9495, 255);
  }

  // At the default size each control keeps its form row, the left column its place, and every
  // text fits: the window is only as much wider than the form as its longest entries need.
  void ControlsSitAtTheirFormPlacesWithTheirCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    harness_->Start(excel_->Factory());
    auto* widget = harness_->Window().findChild<QWidget*>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    const QRect form = TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      // Labels grow to the right so that their caption is never clipped, and are as tall as their
      // field so that the texts line up.
      QVERIFY(label->width() >= label->sizeHint().width());
      QCOMPARE(label->text(), caption);
      QVERIFY(std::abs(label->geometry().center().y() - form.center().y()) <= Twips(45));
    } else {
      QCOMPARE(widget->y(), form.y());
      QCOMPARE(widget->height(), form.height());
      QVERIFY(widget->width() >= form.width());
      if (form.x() < Twips(4900) || widget->parentWidget()->objectName() != QStringLiteral("client")) {
        QCOMPARE(widget->x(), form.x());
      }
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QVERIFY2(combo->width() >= combo->sizeHint().width(), "the longest entry shows in full");
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !caption.isEmpty()) {
      QCOMPARE(button->text(), caption);
    }
  }

  void WindowOpensAtTheFormSizeAndCanGrow() {
    MainWindow& window = harness_->Start(excel_->Factory());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorvex"));
    QCOMPARE(window.objectName(), QStringLiteral("form1"));
    QWidget* client = window.centralWidget();
    QCOMPARE(client->height(), Twips(8550));
    QVERIFY(client->width() >= Twips(9705));
    QCOMPARE(client->size(), client->minimumSizeHint());
    QVERIFY(window.maximumWidth() > window.minimumWidth());
    QVERIFY(window.maximumHeight() > window.minimumHeight());
    QCOMPARE(harness_->Find<QFrame>("Frame1"), harness_->Find<QRadioButton>("Option3")->parentWidget());
    QCOMPARE(client->font().family(), QStringLiteral("Arial"));
    // Nothing overlaps anything else on the client area, and everything lies inside it.
    const QList<QWidget*> controls = client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* a : controls) {
      for (QWidget* b : controls) {
        QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                 qPrintable(a->objectName() + " overlaps " + b->objectName()));
      }
      QVERIFY2(client->rect().contains(a->geometry()), qPrintable(a->objectName()));
    }
  }

  // A larger window gives the lists the room; the option panel keeps its rows and alignment.
  void ResizingGrowsTheListsAndKeepsThePanel() {
    MainWindow& window = harness_->Start(excel_->Factory());
    QWidget* client = window.centralWidget();
    const auto geometry = [&](const char* name) { return window.findChild<QWidget*>(name)->geometry(); };
    const QRect list1 = geometry("ListView1");
    const QRect list2 = geometry("ListView2");
    const QRect combo1 = geometry("Combo1");
    const int width = client->width();
    window.resize(window.width() + 300, window.height() + 240);
    QTRY_COMPARE(client->width(), width + 300);
    QCOMPARE(geometry("ListView1").width(), list1.width() + 300);
    QVERIFY(geometry("ListView1").height() > list1.height());
    QVERIFY(geometry("ListView2").height() > list2.height());
    QVERIFY(std::abs(geometry("ListView3").right() - (geometry("ListView1").right() + Twips(360))) <= 1);
    QCOMPARE(geometry("ProgressBar1").bottom(), client->height() - 1 - Twips(15));
    for (const char* field : {"Combo3", "Combo2", "Combo1", "Combo4"}) {
      QCOMPARE(geometry(field).height(), geometry("Combo3").height());
    }
    QCOMPARE(geometry("Combo3").y(), geometry("Combo1").y());
    QCOMPARE(geometry("Label4").center().y(), geometry("Combo3").center().y());
    QVERIFY(geometry("Label2").right() < geometry("Combo1").left());
    QVERIFY(geometry("Combo3").right() < geometry("Label2").left());
    QVERIFY(geometry("Combo1").width() > combo1.width());
    QCOMPARE(geometry("Command3").left(), geometry("ListView1").right() + 1 + Twips(105));
  }

  void MenuBarHoldsEveryItemInOrder() {
    MainWindow& window = harness_->Start(excel_->Factory());
    QStringList menus;
    QStringList items;
    for (QAction* top : window.menuBar()->actions()) {
      menus << Plain(top->text());
      if (top->menu() == nullptr) {
        items << top->objectName();
        continue;
      }
      for (QAction* item : top->menu()->actions()) {
        items << item->objectName() + "=" + item->text();
      }
    }
    QCOMPARE(menus, (QStringList{"File", "Edit", "Actions", "Settings", "Help"}));
    QCOMPARE(items, (QStringList{"AddExcel=Add Excel", "AddFolder=Add Folder", "RemoveItem=Remove Item",
                                 "RemoveAll=Remove All Items", "Removeoutput=Remove Current Output Directory",
                                 "RemoveAllOutput=Remove All Output Directory", "Separate=Convert",
                                 "Settings", "Help1=Help", "HomePage=HomePage", "About=About"}));
    QCOMPARE(harness_->Action("AddExcel")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(harness_->Action("Separate")->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(harness_->Action("Help1")->shortcut(), QKeySequence(QKeySequence::HelpContents));
    QVERIFY(!harness_->Action("RemoveItem")->shortcut().isEmpty());
  }

  void StartUpReadsVersionOnceAndQuits() {
    harness_->Start(excel_->Factory());
    QCOMPARE(excel_->calls(), (std::vector<std::string>{"Create(Excel.Application)", "Version", "Quit"}));
    QCOMPARE(Entries(harness_->Find<QComboBox>("Combo3")), kAllFormats);
  }

  void StartUpStateIsTheCsvRow() {
    MainWindow& window = harness_->Start(excel_->Factory());
    auto* combo1 = harness_->Find<QComboBox>("Combo1");
    auto* combo2 = harness_->Find<QComboBox>("Combo2");
    auto* combo3 = harness_->Find<QComboBox>("Combo3");
    auto* combo4 = harness_->Find<QComboBox>("Combo4");
    QCOMPARE(Entries(combo1),
             (QStringList{"Will be based on sheet name", "Will be based on workbook and sheet name",
                          "Will be 1.xls,2.xls,3.xls,4.xls,5.xls..."}));
    QCOMPARE(Entries(combo2), (QStringList{"Saved as static text and images",
                                           "Saved as an interactive spreadsheet functionality",
                                           "Saved as an interactive pivotTable functionality"}));
    QCOMPARE(Entries(combo3), kAllFormats);
    QCOMPARE(Entries(combo4),
             (QStringList{"", "Will be based on sheet name", "Will be based on workbook name",
                          "Will be based on workbook and sheet name"}));
    for (QComboBox* combo : {combo1, combo2, combo3, combo4}) {
      QCOMPARE(combo->currentIndex(), 0);
    }
    QCOMPARE(combo4->currentText(), QString());
    QVERIFY(harness_->Find<QRadioButton>("Option2")->isChecked());
    QVERIFY(harness_->Find<QRadioButton>("Option3")->isChecked());
    for (const char* off : {"Combo2", "Combo4", "Option1", "Option2", "Option3", "Option4"}) {
      QVERIFY2(!harness_->Find<QWidget>(off)->isEnabled(), off);
    }
    for (const char* on : {"Combo1", "Combo3", "Combo5", "ListView1", "ListView2", "ListView3", "Command1",
                           "Command2", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8",
                           "Command9", "Command10", "Command11"}) {
      QVERIFY2(harness_->Find<QWidget>(on)->isEnabled(), on);
    }
    QCOMPARE(harness_->Find<QLabel>("Label1")->text(), QString());
    QCOMPARE(window.FormatIndex(), 0);
    QCOMPARE(window.NamingMode(), 0);
    QCOMPARE(window.PageTitleIndex(), 0);
    QVERIFY(!window.EntireWorkbook());
    QVERIFY(window.ShortExtension());
  }

  void ListsHaveOneColumnWithTheirHeaders() {
    harness_->Start(excel_->Factory());
    const auto check = [](QTreeWidget* list, const char* header) {
      QCOMPARE(list->columnCount(), 1);
      QCOMPARE(list->headerItem()->text(0), QString::fromLatin1(header));
      // The header spans the list.
      QCOMPARE(list->header()->sectionSize(0), list->viewport()->width());
    };
    check(harness_->Find<QTreeWidget>("ListView1"), "Please Select the Excel File or Folder to Convert");
    check(harness_->Find<QTreeWidget>("ListView2"), "WorkBooks");
    check(harness_->Find<QTreeWidget>("ListView3"), "WorkSheets");
  }

  void Version12OffersTheShorterLists() {
    excel_->SetVersion("12.0");
    harness_->Start(excel_->Factory());
    QCOMPARE(Entries(harness_->Find<QComboBox>("Combo3")), kAllFormats.mid(0, 5));
    QCOMPARE(Entries(harness_->Find<QComboBox>("Combo2")), QStringList{"Saved as static text and images"});
  }

  // The major version (the text before the last '.', rounded) decides the format list: eight
  // entries up to version 11, five from 12 on.
  void VersionIsRoundedFromTextBeforeLastDot_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<int>("formats");
    QTest::newRow("11.0") << "11.0" << 8;
    QTest::newRow("12.0") << "12.0" << 5;
    QTest::newRow("16.0.1") << "16.0.1" << 5;
    QTest::newRow("11.6.0 rounds to 12") << "11.6.0" << 5;
    QTest::newRow("11.4.0 rounds to 11") << "11.4.0" << 8;
    QTest::newRow("no dot") << "9" << 8;
    QTest::newRow("leading blanks") << "  12.0" << 5;
    QTest::newRow("plus sign") << "+11.0" << 8;
    QTest::newRow("hexadecimal is no number") << "0x10.0" << 8;
    QTest::newRow("text") << "abc" << 8;
  }

  void VersionIsRoundedFromTextBeforeLastDot() {
    QFETCH(QString, version);
    QFETCH(int, formats);
    excel_->SetVersion(version.toStdString());
    harness_->Start(excel_->Factory());
    QCOMPARE(harness_->Find<QComboBox>("Combo3")->count(), formats);
  }

  void ApplicationThatCannotStartIsReportedAndShorterListsOffered() {
    excel_->FailCreation("no spreadsheet application");
    harness_->Start(excel_->Factory());
    QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
    QVERIFY(harness_->messages.shown.front().text.contains("no spreadsheet application"));
    QCOMPARE(harness_->messages.shown.front().icon, engine::MessageIcon::kError);
    QCOMPARE(harness_->Find<QComboBox>("Combo3")->count(), 5);
  }

  void ApplicationWhoseVersionCannotBeReadIsStillQuit() {
    excel_->FailOn("Version", "version unreadable");
    harness_->Start(excel_->Factory());
    QCOMPARE(excel_->calls(), (std::vector<std::string>{"Create(Excel.Application)", "Version", "Quit"}));
    QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
    QVERIFY(harness_->messages.shown.front().text.contains("version unreadable"));
    QCOMPARE(harness_->Find<QComboBox>("Combo3")->count(), 5);
  }

  void FormatListOffersOnlyFormatsWithAnExporterKeepingTheirIndex() {
    engine::ExporterTable table;
    const auto done = [](engine::EngineContext&, int) { return engine::ExportResult::kDone; };
    table.Register(engine::ExportSlot::kDelimited, done);
    table.Register(engine::ExportSlot::kWorkbookXml, done);
    MainWindow& window = harness_->Start(excel_->Factory(), table);
    auto* combo3 = harness_->Find<QComboBox>("Combo3");
    QCOMPARE(Entries(combo3), (QStringList{kAllFormats[0], kAllFormats[1], kAllFormats[4]}));
    combo3->setCurrentIndex(2);
    QCOMPARE(window.FormatIndex(), 4);
    QVERIFY(!harness_->Find<QWidget>("ListView3")->isEnabled());
  }

  void FormatRuleSetsEnabledStatesRowByRow_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("entire");
    QTest::addColumn<QString>("label3");
    QTest::addColumn<QString>("option3");
    QTest::addColumn<QString>("option4");
    // Enabled: Option1/2, Combo1, Combo2/4, Option3/4, ListView3.
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("csv") << 0 << false << "HTML Type:"
                         << "htm"
                         << "html" << QList<bool>{false, true, false, false, true};
    QTest::newRow("txt") << 1 << false << "HTML Type:"
                         << "htm"
                         << "html" << QList<bool>{false, true, false, false, true};
    QTest::newRow("web per sheet") << 2 << false << "HTML Type:"
                                   << "htm"
                                   << "html" << QList<bool>{true, true, true, true, true};
    QTest::newRow("web whole") << 2 << true << "HTML Type:"
                               << "htm"
                               << "html" << QList<bool>{true, false, false, true, false};
    QTest::newRow("mht per sheet") << 3 << false << "MHT Type:"
                                   << "mht"
                                   << "mhtml" << QList<bool>{true, true, true, true, true};
    QTest::newRow("mht whole") << 3 << true << "MHT Type:"
                               << "mht"
                               << "mhtml" << QList<bool>{true, false, false, true, false};
    QTest::newRow("xml") << 4 << false << "HTML Type:"
                         << "htm"
                         << "html" << QList<bool>{false, false, false, false, false};
    QTest::newRow("dbf4") << 5 << false << "HTML Type:"
                          << "htm"
                          << "html" << QList<bool>{false, true, false, false, true};
    QTest::newRow("dbf3") << 6 << false << "HTML Type:"
                          << "htm"
                          << "html" << QList<bool>{false, true, false, false, true};
    QTest::newRow("dbf2") << 7 << false << "HTML Type:"
                          << "htm"
                          << "html" << QList<bool>{false, true, false, false, true};
  }

  void FormatRuleSetsEnabledStatesRowByRow() {
    QFETCH(int, format);
    QFETCH(bool, entire);
    QFETCH(QString, label3);
    QFETCH(QString, option3);
    QFETCH(QString, option4);
    QFETCH(QList<bool>, enabled);
    harness_->Start(excel_->Factory());
    auto* combo3 = harness_->Find<QComboBox>("Combo3");
    if (entire) {
      // The web mode can only be changed while a web format is chosen.
      combo3->setCurrentIndex(2);
      harness_->Find<QRadioButton>("Option1")->click();
    }
    combo3->setCurrentIndex(format);
    QCOMPARE(harness_->Window().FormatIndex(), format);
    QCOMPARE(harness_->Find<QLabel>("Label3")->text(), label3);
    QCOMPARE(harness_->Find<QRadioButton>("Option3")->text(), option3);
    QCOMPARE(harness_->Find<QRadioButton>("Option4")->text(), option4);
    const auto on = [this](const char* name) { return harness_->Find<QWidget>(name)->isEnabled(); };
    QCOMPARE(on("Option1"), enabled[0]);
    QCOMPARE(on("Option2"), enabled[0]);
    QCOMPARE(on("Combo1"), enabled[1]);
    QCOMPARE(on("Combo2"), enabled[2]);
    QCOMPARE(on("Combo4"), enabled[2]);
    QCOMPARE(on("Option3"), enabled[3]);
    QCOMPARE(on("Option4"), enabled[3]);
    QCOMPARE(on("ListView3"), enabled[4]);
    QVERIFY(on("Combo3"));
    QCOMPARE(harness_->Find<QRadioButton>("Option1")->isChecked(), entire);
  }

  void CaptionsKeepTheirLastValueInRowsWithoutOwnCaptions() {
    harness_->Start(excel_->Factory());
    auto* combo3 = harness_->Find<QComboBox>("Combo3");
    harness_->Find<QRadioButton>("Option4")->setChecked(true);
    combo3->setCurrentIndex(3);
    QVERIFY(harness_->Find<QRadioButton>("Option4")->isChecked());
    combo3->setCurrentIndex(0);
    QCOMPARE(harness_->Find<QLabel>("Label3")->text(), QStringLiteral("MHT Type:"));
    QCOMPARE(harness_->Find<QRadioButton>("Option3")->text(), QStringLiteral("mht"));
    QVERIFY(!harness_->Find<QWidget>("Combo2")->isEnabled());
    QVERIFY(!harness_->Window().ShortExtension());
    // XML Spreadsheet sets Label3 back but leaves the extension captions as they were.
    combo3->setCurrentIndex(3);
    combo3->setCurrentIndex(4);
    QCOMPARE(harness_->Find<QLabel>("Label3")->text(), QStringLiteral("HTML Type:"));
    QCOMPARE(harness_->Find<QRadioButton>("Option3")->text(), QStringLiteral("mht"));
    QCOMPARE(harness_->Find<QRadioButton>("Option4")->text(), QStringLiteral("mhtml"));
  }

  void WebModeButtonsSwitchTheSheetControls() {
    harness_->Start(excel_->Factory());
    harness_->Find<QComboBox>("Combo3")->setCurrentIndex(2);
    QTest::mouseClick(harness_->Find<QRadioButton>("Option1"), Qt::LeftButton);
    QVERIFY(harness_->Window().EntireWorkbook());
    for (const char* name : {"Combo1", "Combo2", "Combo4", "ListView3"}) {
      QVERIFY2(!harness_->Find<QWidget>(name)->isEnabled(), name);
    }
    QTest::mouseClick(harness_->Find<QRadioButton>("Option2"), Qt::LeftButton);
    for (const char* name : {"Combo1", "Combo2", "Combo4", "ListView3"}) {
      QVERIFY2(harness_->Find<QWidget>(name)->isEnabled(), name);
    }
  }

  void XmlThenWebPageEnablesNamingAgain() {
    harness_->Start(excel_->Factory());
    auto* combo3 = harness_->Find<QComboBox>("Combo3");
    combo3->setCurrentIndex(4);
    QVERIFY(!harness_->Find<QWidget>("Combo1")->isEnabled());
    combo3->setCurrentIndex(2);
    QVERIFY(harness_->Find<QWidget>("Combo1")->isEnabled());
    QVERIFY(harness_->Find<QWidget>("ListView3")->isEnabled());
  }

  void FormatChangeKeepsEverySelection() {
    harness_->Start(excel_->Factory());
    harness_->Find<QComboBox>("Combo1")->setCurrentIndex(2);
    harness_->Find<QComboBox>("Combo3")->setCurrentIndex(2);
    harness_->Find<QComboBox>("Combo2")->setCurrentIndex(1);
    harness_->Find<QComboBox>("Combo4")->setCurrentIndex(3);
    harness_->Find<QComboBox>("Combo3")->setCurrentIndex(4);
    QCOMPARE(harness_->Window().NamingMode(), 2);
    QCOMPARE(harness_->Window().HtmlTypeIndex(), 1);
    QCOMPARE(harness_->Window().PageTitleIndex(), 3);
  }

 private:
  std::unique_ptr<FakeExcel> excel_;
  std::unique_ptr<WindowHarness> harness_;
};

}  // namespace quorvex::ui

QTEST_MAIN(quorvex::ui::MainWindowTest)
#include "MainWindowTest.moc"
