// Tests of the list commands through the window: dialogs, the three lists, the table, messages.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "support/FakeExcel.h"
#include "ui/WindowHarness.h"

namespace quorvex::ui {
namespace {

using testing::FakeExcel;
using testing::WindowHarness;
using Rows = std::vector<std::pair<std::string, bool>>;
using Texts = std::vector<std::string>;
using Shown = testing::RecordingMessageBoxes::Shown;

}  // namespace

class ListCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    excel_ = std::make_unique<FakeExcel>();
    harness_ = std::make_unique<WindowHarness>();
    folder_ = harness_->files.MakeFolder("books");
    a_ = harness_->files.MakeFile("books/A.xlsx");
    b_ = harness_->files.MakeFile("books/B.xls");
    single_ = harness_->files.MakeFile("Single.xlsx");
    excel_->AddWorkbook(a_, {"A1", "A2", "A3"});
    excel_->AddWorkbook(b_, {"B1", "B2"});
    excel_->AddWorkbook(single_, {"S1"});
    harness_->Start(excel_->Factory());
    excel_->ClearCalls();
    list1_ = harness_->Find<QTreeWidget>("ListView1");
    list2_ = harness_->Find<QTreeWidget>("ListView2");
    list3_ = harness_->Find<QTreeWidget>("ListView3");
  }
  void cleanup() {
    harness_.reset();
    excel_.reset();
  }

  void AddExcelAsksForAWorkbookAndListsIt() {
    harness_->dialogs.AnswerOpen(single_);
    harness_->Find<QToolButton>("Command1")->click();
    QCOMPARE(harness_->dialogs.open_requests.size(), std::size_t{1});
    QCOMPARE(harness_->dialogs.open_requests[0].title, std::string("Select Excel File"));
    QCOMPARE(harness_->dialogs.owners[0], static_cast<QWidget*>(&harness_->Window()));
    QCOMPARE(WindowHarness::Texts(list1_), Texts{single_});
    QCOMPARE(harness_->Window().InputRowIcon(1), catalogue::InputIcon::kFile);
    QCOMPARE(list1_->currentItem(), list1_->topLevelItem(0));
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"Single.xlsx", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"S1", true}}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void AddFolderFromMenuListsWorkbooksAndFirstSheets() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Action("AddFolder")->trigger();
    QCOMPARE(harness_->dialogs.folder_titles, Texts{"Add all excel files in folder"});
    QCOMPARE(harness_->Window().InputRowIcon(1), catalogue::InputIcon::kFolder);
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"A.xlsx", true}, {"B.xls", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", true}, {"A2", true}, {"A3", true}}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void CancelledOrFailingDialogChangesNothing() {
    harness_->Find<QToolButton>("Command1")->click();
    harness_->Find<QToolButton>("Command5")->click();
    harness_->dialogs.ThrowOnNext();
    harness_->Find<QToolButton>("Command5")->click();
    QCOMPARE(list1_->topLevelItemCount(), 0);
    QCOMPARE(harness_->dialogs.owners.size(), std::size_t{3});
    QVERIFY(harness_->messages.shown.empty());
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void WorkbookClicksKeepTicksAndRestoreWithoutTheApplication() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    list3_->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    WindowHarness::ClickRow(list2_, 2);
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"B1", true}, {"B2", true}}));
    const int creations = excel_->creations();
    WindowHarness::ClickRow(list2_, 1);
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", true}, {"A2", false}, {"A3", true}}));
    QCOMPARE(excel_->creations(), creations);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void InputClickListsAgainAndForgetsTicks() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    list3_->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    WindowHarness::ClickRow(list1_, 1);
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", true}, {"A2", true}, {"A3", true}}));
    list3_->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    const int creations = excel_->creations();
    WindowHarness::ClickRow(list2_, 1);  // not recorded: read afresh, every sheet ticked
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", true}, {"A2", true}, {"A3", true}}));
    QCOMPARE(excel_->creations(), creations + 1);
  }

  void EnterOnARowDoesWhatAClickDoes() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    list2_->setCurrentItem(list2_->topLevelItem(1));
    QTest::keyClick(list2_, Qt::Key_Return);
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"B1", true}, {"B2", true}}));
    list3_->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    QTest::keyClick(list1_, Qt::Key_Enter);
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", true}, {"A2", true}, {"A3", true}}));
  }

  void TickingAWorkbookBoxChangesNothingElse() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    WindowHarness::ClickRow(list1_, 1);  // the table forgets A's column
    list3_->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    const int creations = excel_->creations();
    WindowHarness::ClickCheckBox(list2_, 1);
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"A.xlsx", false}, {"B.xls", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", true}, {"A2", false}, {"A3", true}}));
    QCOMPARE(excel_->creations(), creations);
  }

  void KeyboardSelectionListsTheNewRow() {
    harness_->dialogs.AnswerOpen(single_);
    harness_->Find<QToolButton>("Command1")->click();
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    list2_->setFocus();
    QTest::keyClick(list2_, Qt::Key_Down);
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"B1", true}, {"B2", true}}));
    list1_->setFocus();
    QTest::keyClick(list1_, Qt::Key_Up);
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"Single.xlsx", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"S1", true}}));
  }

  void RemoveSelectsTheRowAboveAndListsIt() {
    harness_->dialogs.AnswerOpen(single_);
    harness_->Find<QToolButton>("Command1")->click();
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    harness_->Find<QToolButton>("Command2")->click();
    QCOMPARE(WindowHarness::Texts(list1_), Texts{single_});
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"Single.xlsx", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"S1", true}}));
    harness_->Action("RemoveItem")->trigger();
    QCOMPARE(list1_->topLevelItemCount(), 0);
    QCOMPARE(list2_->topLevelItemCount(), 0);
    QCOMPARE(list3_->topLevelItemCount(), 0);
  }

  void ArrowButtonsMoveTheSelectedEntryWithItsIcon() {
    harness_->dialogs.AnswerOpen(single_);
    harness_->Find<QToolButton>("Command1")->click();
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    excel_->ClearCalls();
    harness_->Find<QToolButton>("Command3")->click();
    QCOMPARE(WindowHarness::Texts(list1_), (Texts{folder_, single_}));
    QCOMPARE(harness_->Window().InputRowIcon(1), catalogue::InputIcon::kFolder);
    QCOMPARE(harness_->Window().SelectedInputRow(), 1);
    harness_->Find<QToolButton>("Command3")->click();  // first row: nothing
    QCOMPARE(WindowHarness::Texts(list1_), (Texts{folder_, single_}));
    harness_->Find<QToolButton>("Command4")->click();
    QCOMPARE(WindowHarness::Texts(list1_), (Texts{single_, folder_}));
    QCOMPARE(harness_->Window().SelectedInputRow(), 2);
    QVERIFY(excel_->calls().empty());
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"A.xlsx", true}, {"B.xls", true}}));
  }

  void RemoveAllItemsEmptiesEverything() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    harness_->Action("RemoveAll")->trigger();
    QCOMPARE(list1_->topLevelItemCount(), 0);
    QCOMPARE(list2_->topLevelItemCount(), 0);
    QCOMPARE(list3_->topLevelItemCount(), 0);
    harness_->Action("RemoveAll")->trigger();
    QVERIFY(harness_->messages.shown.empty());
  }

  void UnreadableWorkbookShowsTwoErrorMessages() {
    excel_->FailOn("Workbooks.Open(" + single_ + ")", "The workbook is damaged.");
    harness_->dialogs.AnswerOpen(single_);
    harness_->Find<QToolButton>("Command1")->click();
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{{"The workbook is damaged.", engine::MessageIcon::kError},
                                 {"Excel file open failed!", engine::MessageIcon::kError}}));
    QCOMPARE(harness_->messages.busy_while_shown, (std::vector<bool>{false, false}));
    QCOMPARE(list3_->topLevelItemCount(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void DroppedFilesAndFoldersAreAdded() {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder_)),
                  QUrl::fromLocalFile(QString::fromStdString(single_)),
                  QUrl::fromLocalFile(QString::fromStdString(harness_->files / "missing.xlsx")),
                  QUrl(QStringLiteral("https://example.org/x.xlsx"))});
    QWidget* viewport = list1_->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    QCOMPARE(WindowHarness::Texts(list1_), (Texts{folder_, single_}));
    QCOMPARE(harness_->Window().InputRowIcon(1), catalogue::InputIcon::kFolder);
    QCOMPARE(harness_->Window().InputRowIcon(2), catalogue::InputIcon::kFile);
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"Single.xlsx", true}}));
    // What cannot be added is named in one message, before anything tries to open it.
    QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
    QVERIFY(
        harness_->messages.shown[0].text.endsWith(QString::fromStdString(harness_->files / "missing.xlsx")));
  }

  void DroppedFileThatIsNotAWorkbookIsRefusedWithOneMessage() {
    const std::string notes = harness_->files.MakeFile("notes.txt", "some text");
    const int creations = excel_->creations();
    harness_->Window().AddPaths({notes});
    QCOMPARE(list1_->topLevelItemCount(), 0);
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{
                 {QString::fromStdString("Only workbooks (.xls, .xlsx, .xlsm, .xlsb) and folders can be "
                                         "added. Not added:\n" +
                                         notes),
                  engine::MessageIcon::kInformation}}));
    QCOMPARE(excel_->creations(), creations);
  }

  void AddExcelTakesSeveralFilesAndDialogsStartInTheLastFolder() {
    harness_->dialogs.AnswerOpenFiles({a_, b_});
    harness_->Find<QToolButton>("Command1")->click();
    QCOMPARE(harness_->dialogs.open_several, std::vector<bool>{true});
    QCOMPARE(WindowHarness::Texts(list1_), (Texts{a_, b_}));
    QCOMPARE(harness_->Window().SelectedInputRow(), 2);
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"B.xls", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"B1", true}, {"B2", true}}));
    harness_->Find<QToolButton>("Command5")->click();  // cancelled
    harness_->Find<QToolButton>("Command1")->click();  // cancelled
    QCOMPARE(harness_->dialogs.folder_starts, Texts{folder_});
    QCOMPARE(harness_->dialogs.open_requests.back().initial_folder, folder_);
  }

  void SelectAllAndNoneTickEveryRowOfAList() {
    harness_->dialogs.AnswerFolder(folder_);
    harness_->Find<QToolButton>("Command5")->click();
    const int creations = excel_->creations();
    list3_->findChild<QAction*>("SelectNoWorksheets")->trigger();
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", false}, {"A2", false}, {"A3", false}}));
    list2_->findChild<QAction*>("SelectNoWorkbooks")->trigger();
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"A.xlsx", false}, {"B.xls", false}}));
    list2_->setFocus();
    QTest::keyClick(list2_, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(WindowHarness::Rows(list2_), (Rows{{"A.xlsx", true}, {"B.xls", true}}));
    QCOMPARE(WindowHarness::Rows(list3_), (Rows{{"A1", false}, {"A2", false}, {"A3", false}}));
    QCOMPARE(excel_->creations(), creations);
  }

  void DragWithoutLocalFilesIsRefused() {
    QMimeData data;
    data.setText(QStringLiteral("just text"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list1_->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
  }

  void ConvertWithEmptyWorkbookListAsksForWorkbooks() {
    harness_->Convert();
    harness_->Action("Separate")->trigger();
    QVERIFY(harness_->WaitForRun());
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{{"Please select excel at fast!", engine::MessageIcon::kInformation},
                                 {"Please select excel at fast!", engine::MessageIcon::kInformation}}));
    QVERIFY(harness_->shell.opened.empty());
  }

  void BrowsePutsTheFolderOnTopAndSelectsIt() {
    auto* combo5 = harness_->Find<QComboBox>("Combo5");
    harness_->dialogs.AnswerFolder("/out/one");
    harness_->dialogs.AnswerFolder("/out/one");
    harness_->Find<QPushButton>("Command10")->click();
    combo5->setEditText(QStringLiteral("/typed"));
    QVERIFY(harness_->Window().OutputDirectoryTyped());
    harness_->Find<QPushButton>("Command10")->click();
    QCOMPARE(harness_->dialogs.folder_titles, (Texts{"Output Folder", "Output Folder"}));
    QCOMPARE(combo5->count(), 2);
    QCOMPARE(combo5->currentIndex(), 0);
    QCOMPARE(harness_->Window().OutputDirectoryText(), std::string("/out/one"));
    QVERIFY(!harness_->Window().OutputDirectoryTyped());
    harness_->Find<QPushButton>("Command10")->click();  // cancelled
    QCOMPARE(combo5->count(), 2);
  }

  void RemoveCurrentOutputDirectorySelectsFollowerOrNewLast() {
    auto* combo5 = harness_->Find<QComboBox>("Combo5");
    combo5->addItems({"A", "B", "C"});
    combo5->setCurrentIndex(1);
    harness_->Action("Removeoutput")->trigger();
    QCOMPARE(combo5->count(), 2);
    QCOMPARE(combo5->currentText(), QStringLiteral("C"));
    harness_->Action("Removeoutput")->trigger();
    QCOMPARE(combo5->currentText(), QStringLiteral("A"));
    combo5->setEditText(QStringLiteral("typed"));
    harness_->Action("Removeoutput")->trigger();
    QCOMPARE(combo5->count(), 1);
    combo5->setCurrentIndex(0);
    harness_->Action("Removeoutput")->trigger();
    QCOMPARE(combo5->count(), 0);
    QCOMPARE(combo5->currentIndex(), -1);
    harness_->Action("Removeoutput")->trigger();
  }

  void RemoveAllOutputDirectoriesEmptiesTheList() {
    auto* combo5 = harness_->Find<QComboBox>("Combo5");
    combo5->addItems({"A", "B", "C"});
    harness_->Action("RemoveAllOutput")->trigger();
    QCOMPARE(combo5->count(), 0);
  }

  void ViewOpensAnExistingFolderWithTrailingSlashOnly() {
    auto* combo5 = harness_->Find<QComboBox>("Combo5");
    combo5->setEditText(QString::fromStdString(folder_));
    harness_->Find<QPushButton>("Command11")->click();
    combo5->setEditText(QString::fromStdString(single_));
    harness_->Find<QPushButton>("Command11")->click();
    combo5->setEditText(QString());
    harness_->Find<QPushButton>("Command11")->click();
    QCOMPARE(harness_->shell.opened.size(), std::size_t{1});
    QCOMPARE(harness_->shell.opened[0], QUrl::fromLocalFile(QString::fromStdString(folder_ + "/")));
  }

  void HelpAndHomePageButtonsAndMenuItemsOpenTheSameTargets() {
    harness_->Find<QToolButton>("Command8")->click();
    harness_->Action("Help1")->trigger();
    harness_->Find<QToolButton>("Command7")->click();
    harness_->Action("HomePage")->trigger();
    const QUrl help = QUrl::fromLocalFile(QString::fromStdString(harness_->settings / "help.html"));
    const QUrl home(QStringLiteral("https://quorvex.example.org"));
    QCOMPARE(harness_->shell.opened, (std::vector<QUrl>{help, help, home, home}));
    QVERIFY(harness_->messages.shown.empty());
    harness_->shell.works = false;
    harness_->Find<QToolButton>("Command8")->click();
    harness_->Find<QToolButton>("Command7")->click();
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{
                 {"The desktop could not open the manual " + help.toLocalFile(), engine::MessageIcon::kError},
                 {"The desktop could not open the home page https://quorvex.example.org",
                  engine::MessageIcon::kError}}));
  }

 private:
  std::unique_ptr<FakeExcel> excel_;
  std::unique_ptr<WindowHarness> harness_;
  std::string folder_, a_, b_, single_;
  QTreeWidget* list1_ = nullptr;
  QTreeWidget* list2_ = nullptr;
  QTreeWidget* list3_ = nullptr;
};

}  // namespace quorvex::ui

QTEST_MAIN(quorvex::ui::ListCommandsTest)
#include "ListCommandsTest.moc"
