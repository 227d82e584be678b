// Tests of the saved lists, the settings dialog and the About dialog through the window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "settings/LineFile.h"
#include "support/FakeExcel.h"
#include "ui/AboutDialog.h"
#include "ui/DesktopShellOpener.h"
#include "ui/SettingDialog.h"
#include "ui/Twips.h"
#include "ui/WindowHarness.h"

namespace quorvex::ui {
namespace {

using settings::ReadLines;
using settings::WriteLines;
using testing::FakeExcel;
using testing::WindowHarness;
using Lines = std::vector<std::string>;

// Runs `answer` on the modal dialog once it is open.
void WhenModalOpens(std::function<void(QWidget*)> answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr) {
      answer(modal);
    }
  });
}

struct Placed {
  const char* name;
  int left, top, width, height;
};

// Checks the dialog's client size and that each named control sits where the form puts it.
void CheckLayout(const QWidget& dialog, QSize twips_size, const std::vector<Placed>& controls) {
  QCOMPARE(dialog.size(), QSize(Twips(twips_size.width()), Twips(twips_size.height())));
  for (const Placed& control : controls) {
    const auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(control.name));
    QVERIFY2(widget != nullptr, control.name);
    QCOMPARE(widget->geometry(), TwipsRect(control.left, control.top, control.width, control.height));
  }
}

}  // namespace

class SettingsTest : public QObject {
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

  void ListsComeBackAtStartWithIconsAndNothingListed() {
    const std::string folder = harness_->files.MakeFolder("books");
    const std::string book = harness_->files.MakeFile("books/A.xlsx");
    excel_->AddWorkbook(book, {"S"});
    WriteLines(harness_->settings / "EXCEL.txt", {book, folder, harness_->files / "deleted.xlsx"});
    WriteLines(harness_->settings / "output.txt", {"/out/recent", "/out/older"});
    MainWindow& window = harness_->Start(excel_->Factory());
    QCOMPARE(WindowHarness::Texts(harness_->Find<QTreeWidget>("ListView1")),
             (Lines{book, folder, harness_->files / "deleted.xlsx"}));
    QCOMPARE(window.InputRowIcon(1), catalogue::InputIcon::kFile);
    QCOMPARE(window.InputRowIcon(2), catalogue::InputIcon::kFolder);
    QCOMPARE(window.InputRowIcon(3), catalogue::InputIcon::kMissing);
    QCOMPARE(window.SelectedInputRow(), 1);
    QCOMPARE(harness_->Find<QTreeWidget>("ListView2")->topLevelItemCount(), 0);
    auto* combo5 = harness_->Find<QComboBox>("Combo5");
    QCOMPARE(combo5->count(), 2);
    QCOMPARE(combo5->currentIndex(), 0);
    QCOMPARE(combo5->currentText(), QStringLiteral("/out/recent"));
    QVERIFY(!window.OutputDirectoryTyped());
  }

  void MissingFilesStartWithEmptyLists() {
    harness_->Start(excel_->Factory());
    QCOMPARE(harness_->Find<QTreeWidget>("ListView1")->topLevelItemCount(), 0);
    QCOMPARE(harness_->Find<QComboBox>("Combo5")->count(), 0);
    QCOMPARE(harness_->Find<QComboBox>("Combo5")->currentText(), QString());
  }

  void ExitSavesOnlyTheListsSwitchedOn() {
    WriteLines(harness_->settings / "set.txt", {"1", "0"});
    WriteLines(harness_->settings / "output.txt", {"/kept"});
    const std::string book = harness_->files.MakeFile("A.xlsx");
    excel_->AddWorkbook(book, {"S"});
    harness_->Start(excel_->Factory());
    harness_->dialogs.AnswerOpen(book);
    harness_->dialogs.AnswerOpen(book);
    harness_->Find<QToolButton>("Command1")->click();
    harness_->Find<QToolButton>("Command1")->click();
    harness_->dialogs.AnswerFolder("/out/new");
    harness_->Find<QPushButton>("Command10")->click();
    harness_->Find<QToolButton>("Command9")->click();
    QVERIFY(!harness_->Window().isVisible());
    QCOMPARE(ReadLines(harness_->settings / "EXCEL.txt"), (Lines{book, book}));
    QCOMPARE(ReadLines(harness_->settings / "output.txt"), Lines{"/kept"});
  }

  void CloseBoxSavesLikeExitAndTypedDirectoryIsNotKept() {
    WriteLines(harness_->settings / "set.txt", {"0", "1"});
    WriteLines(harness_->settings / "EXCEL.txt", {"/old/entry"});
    harness_->Start(excel_->Factory());
    harness_->dialogs.AnswerFolder("/out/a");
    harness_->dialogs.AnswerFolder("/out/b");
    harness_->Find<QPushButton>("Command10")->click();
    harness_->Find<QPushButton>("Command10")->click();
    harness_->Find<QComboBox>("Combo5")->setEditText(QStringLiteral("/typed"));
    harness_->Action("RemoveAll")->trigger();
    harness_->Close();
    QCOMPARE(ReadLines(harness_->settings / "output.txt"), (Lines{"/out/b", "/out/a"}));
    QCOMPARE(ReadLines(harness_->settings / "EXCEL.txt"), Lines{"/old/entry"});
  }

  void SavedListsRoundTripInOrder() {
    WriteLines(harness_->settings / "set.txt", {"1", "1"});
    const std::string folder = harness_->files.MakeFolder("books");
    const std::string book = harness_->files.MakeFile("Single.xlsx");
    excel_->AddWorkbook(book, {"S"});
    harness_->Start(excel_->Factory());
    harness_->dialogs.AnswerFolder(folder);
    harness_->Find<QToolButton>("Command5")->click();
    harness_->dialogs.AnswerOpen(book);
    harness_->Find<QToolButton>("Command1")->click();
    harness_->Find<QToolButton>("Command3")->click();
    harness_->dialogs.AnswerFolder("/o/1");
    harness_->dialogs.AnswerFolder("/o/2");
    harness_->Find<QPushButton>("Command10")->click();
    harness_->Find<QPushButton>("Command10")->click();
    harness_->Close();

    WindowHarness next;
    WriteLines(next.settings / "EXCEL.txt", ReadLines(harness_->settings / "EXCEL.txt"));
    WriteLines(next.settings / "output.txt", ReadLines(harness_->settings / "output.txt"));
    next.Start(excel_->Factory());
    QCOMPARE(WindowHarness::Texts(next.Find<QTreeWidget>("ListView1")), (Lines{book, folder}));
    QCOMPARE(next.Window().InputRowIcon(1), catalogue::InputIcon::kFile);
    QCOMPARE(next.Find<QComboBox>("Combo5")->currentText(), QStringLiteral("/o/2"));
    QCOMPARE(next.Find<QComboBox>("Combo5")->count(), 2);
  }

  void SettingDialogShowsTheSwitchesAndOkWritesThem() {
    WriteLines(harness_->settings / "set.txt", {"1"});
    SettingDialog dialog(harness_->settings.path());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Setting"));
    auto* check1 = dialog.findChild<QCheckBox*>(QStringLiteral("Check1"));
    auto* check2 = dialog.findChild<QCheckBox*>(QStringLiteral("Check2"));
    QCOMPARE(check1->text(), QStringLiteral("Automatically save the current file\r\n"));
    QCOMPARE(check2->text(), QStringLiteral("Automatically save the output directory"));
    QVERIFY(check1->isChecked());
    QVERIFY(!check2->isChecked());
    check1->setChecked(false);
    check2->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    QCOMPARE(ReadLines(harness_->settings / "set.txt"), (Lines{"0", "1"}));
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
  }

  void DialogsHaveTheirFormSizesAndPlaces() {
    SettingDialog setting(harness_->settings.path());
    CheckLayout(setting, QSize(3735, 1560),
                {{"Check1", 360, 240, 2895, 370},
                 {"Check2", 360, 600, 3135, 255},
                 {"OKButton", 360, 1080, 1215, 375},
                 {"CancelButton", 2040, 1080, 1215, 375}});
    QVERIFY(setting.isModal());
    testing::RecordingShellOpener shell;
    testing::RecordingMessageBoxes messages;
    AboutDialog about(shell, messages);
    CheckLayout(about, QSize(4905, 4110),
                {{"Label1", 840, 240, 2055, 255},
                 {"Label4", 840, 480, 1455, 255},
                 {"Frame1", 240, 960, 4450, 1090},
                 {"Label3", 120, 240, 1690, 250},
                 {"Label2", 1800, 240, 2290, 250},
                 {"Label7", 120, 480, 850, 250},
                 {"Label8", 1800, 480, 1930, 250},
                 {"OKButton", 120, 3600, 1215, 375}});
    QVERIFY(about.isModal());
    const auto* frame = about.findChild<QWidget*>(QStringLiteral("Frame1"));
    for (const char* name : {"Label2", "Label3", "Label7", "Label8"}) {
      QCOMPARE(about.findChild<QWidget*>(QString::fromLatin1(name))->parentWidget(), frame);
    }
  }

  void SettingDialogCancelWritesNothing() {
    WriteLines(harness_->settings / "set.txt", {"1", "0"});
    SettingDialog dialog(harness_->settings.path());
    dialog.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    QCOMPARE(ReadLines(harness_->settings / "set.txt"), (Lines{"1", "0"}));
  }

  void SwitchTurnedOnInSettingsCountsAtTheNextExit() {
    harness_->Start(excel_->Factory());
    harness_->dialogs.AnswerFolder("/out/x");
    harness_->Find<QPushButton>("Command10")->click();
    bool answered = false;
    WhenModalOpens([&answered](QWidget* modal) {
      answered = modal->objectName() == QStringLiteral("Setting");
      modal->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
      modal->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    harness_->Action("Settings")->trigger();
    QVERIFY(answered);
    harness_->Find<QToolButton>("Command9")->click();
    QCOMPARE(ReadLines(harness_->settings / "output.txt"), Lines{"/out/x"});
    QVERIFY(ReadLines(harness_->settings / "EXCEL.txt").empty());
  }

  void AboutDialogShowsProductAndOpensItsLinks() {
    testing::RecordingShellOpener shell;
    testing::RecordingMessageBoxes messages;
    AboutDialog dialog(shell, messages);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About us"));
    const auto text = [&dialog](const char* name) {
      return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(text("Label1"), QStringLiteral("Quorvex"));
    QCOMPARE(text("Label4"), QStringLiteral("Version:29.11.15"));
    QCOMPARE(text("Label3"), QStringLiteral("Technical Support:"));
    QCOMPARE(text("Label7"), QStringLiteral(" Website:"));
    QCOMPARE(text("Label2"), QStringLiteral("support@quorvex.example.org"));
    QCOMPARE(text("Label8"), QStringLiteral("quorvex.example.org"));
    QTest::mouseClick(dialog.findChild<QLabel*>(QStringLiteral("Label2")), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QLabel*>(QStringLiteral("Label8")), Qt::LeftButton);
    QCOMPARE(shell.opened, (std::vector<QUrl>{QUrl(QStringLiteral("mailto:support@quorvex.example.org")),
                                              QUrl(QStringLiteral("https://quorvex.example.org"))}));
    QVERIFY(messages.shown.empty());
    shell.works = false;
    QTest::mouseClick(dialog.findChild<QLabel*>(QStringLiteral("Label8")), Qt::LeftButton);
    QCOMPARE(messages.shown, (std::vector<testing::RecordingMessageBoxes::Shown>{
                                 {QStringLiteral("The desktop could not open https://quorvex.example.org"),
                                  engine::MessageIcon::kError}}));
  }

  // With a stand-in xdg-open on the PATH: success says nothing, a failure is reported once the
  // opener has given its verdict.
  void DesktopOpenerReportsWhatTheDesktopCouldNotOpen() {
    const std::string bin = harness_->files.MakeFolder("bin");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin) + ":" + path);
    testing::RecordingMessageBoxes messages;
    DesktopShellOpener opener(messages);
    for (const int code : {0, 3}) {
      const std::string script =
          harness_->files.MakeFile("bin/xdg-open", "#!/bin/sh\nexit " + std::to_string(code) + "\n");
      std::filesystem::permissions(script, std::filesystem::perms::owner_all);
      QVERIFY(opener.Open(QUrl::fromLocalFile(QStringLiteral("/nowhere/x"))));
      if (code == 0) {
        QTest::qWait(300);
        QVERIFY(messages.shown.empty());
      }
    }
    QTRY_COMPARE(messages.shown.size(), std::size_t{1});
    qputenv("PATH", path);
    QCOMPARE(messages.shown[0].text, QStringLiteral("The desktop could not open /nowhere/x"));
    QCOMPARE(messages.shown[0].icon, engine::MessageIcon::kError);
  }

  void AboutMenuShowsTheDialogModally() {
    harness_->Start(excel_->Factory());
    QString shown;
    WhenModalOpens([&shown](QWidget* modal) {
      shown = modal->windowTitle();
      modal->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    harness_->Action("About")->trigger();
    QCOMPARE(shown, QStringLiteral("About us"));
  }

 private:
  std::unique_ptr<FakeExcel> excel_;
  std::unique_ptr<WindowHarness> harness_;
};

}  // namespace quorvex::ui

QTEST_MAIN(quorvex::ui::SettingsTest)
#include "SettingsTest.moc"
