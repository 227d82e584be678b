// Tests of converting from the window: a full run on real workbooks, feedback, and failures.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <semaphore>
#include <sstream>

#include "automation/builtin/BuiltinApplication.h"
#include "engine/ExportFrame.h"
#include "engine/PathHelpers.h"
#include "support/FakeExcel.h"
#include "ui/WindowHarness.h"

namespace quorvex::ui {
namespace {

namespace fs = std::filesystem;
using testing::FakeExcel;
using testing::WindowHarness;
using Shown = testing::RecordingMessageBoxes::Shown;

// Golden cases whose workbook is an .xlsx; each has one workbook and its expected CSV files.
const char* const kGoldenCases[] = {"dates_1900", "dates_1904",     "formulas",  "inline_strings",
                                    "layout",     "number_formats", "text_cells"};

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

fs::path WorkbookOf(const fs::path& case_folder) {
  for (const auto& entry : fs::directory_iterator(case_folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".xlsx") {
      return entry.path();
    }
  }
  return {};
}

// An exporter of whole workbooks that tells which row it exports and waits for the test to let
// each one finish.
struct GatedExporter {
  std::atomic<int> row = 0;
  std::counting_semaphore<8> go_on{0};

  engine::ExporterTable Table() {
    engine::ExporterTable table;
    table.Register(engine::ExportSlot::kWorkbookXml, [this](engine::EngineContext&, int exported) {
      row = exported;
      (void)go_on.try_acquire_for(std::chrono::seconds(10));
      return engine::ExportResult::kDone;
    });
    return table;
  }
};

using Books = std::vector<std::pair<std::string, std::vector<std::string>>>;

}  // namespace

class ConversionTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { harness_ = std::make_unique<WindowHarness>(); }
  void cleanup() { harness_.reset(); }

  void FullRunFromAddFolderWritesEveryWorksheetAsCsv() {
    const std::string books = harness_->files.MakeFolder("books");
    std::vector<fs::path> cases;
    int written_files = 0;
    for (const char* name : kGoldenCases) {
      const fs::path case_folder = fs::path(QUORVEX_GOLDEN_DIR) / name;
      const fs::path workbook = WorkbookOf(case_folder);
      QVERIFY2(!workbook.empty(), name);
      fs::copy_file(workbook, fs::path(books) / workbook.filename());
      cases.push_back(case_folder);
    }
    harness_->Start(&automation::CreateBuiltinApplication, engine::StandardExporters(), 4);
    harness_->dialogs.AnswerFolder(books);
    harness_->Find<QToolButton>("Command5")->click();
    QCOMPARE(harness_->Find<QTreeWidget>("ListView2")->topLevelItemCount(), static_cast<int>(cases.size()));

    const std::string out = harness_->files / "out";
    harness_->Find<QComboBox>("Combo5")->setEditText(QString::fromStdString(out));
    harness_->Convert();

    QVERIFY(harness_->messages.shown.empty());
    QCOMPARE(harness_->shell.opened,
             std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(out + "/"))});
    QCOMPARE(harness_->Find<QProgressBar>("ProgressBar1")->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    for (const fs::path& case_folder : cases) {
      const std::string folder =
          engine::RemoveSpacesAndDots(engine::StripExtension(WorkbookOf(case_folder).filename().string()));
      int files = 0;
      for (const auto& expected : fs::directory_iterator(case_folder / "expected" / "csv")) {
        const fs::path written = fs::path(out) / folder / expected.path().filename();
        QVERIFY2(fs::is_regular_file(written), qPrintable(QString::fromStdString(written.string())));
        QVERIFY2(Bytes(written) == Bytes(expected.path()),
                 qPrintable(QString::fromStdString(written.string())));
        ++files;
      }
      QCOMPARE(static_cast<int>(
                   std::distance(fs::directory_iterator(fs::path(out) / folder), fs::directory_iterator())),
               files);
      written_files += files;
    }
    // The status line sums the run up.
    QCOMPARE(harness_->Find<QLabel>("Label1")->text(),
             QStringLiteral("Converted %1 workbooks (%2 files). Output folder: %3/")
                 .arg(cases.size())
                 .arg(written_files)
                 .arg(QString::fromStdString(out)));
  }

  void UntickedWorkbooksAndWorksheetsAreNotWritten() {
    const std::string books = harness_->files.MakeFolder("books");
    const fs::path text_cells = WorkbookOf(fs::path(QUORVEX_GOLDEN_DIR) / "text_cells");
    fs::copy_file(text_cells, fs::path(books) / "A.xlsx");
    fs::copy_file(text_cells, fs::path(books) / "B.xlsx");
    harness_->Start(&automation::CreateBuiltinApplication, engine::StandardExporters());
    harness_->dialogs.AnswerFolder(books);
    harness_->Find<QToolButton>("Command5")->click();
    auto* sheets = harness_->Find<QTreeWidget>("ListView3");
    QCOMPARE(sheets->topLevelItemCount(), 2);
    const QString unticked = sheets->topLevelItem(1)->text(0);
    sheets->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    harness_->Find<QTreeWidget>("ListView2")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    const std::string out = harness_->files.MakeFolder("out");
    harness_->Find<QComboBox>("Combo5")->setEditText(QString::fromStdString(out));
    harness_->Convert();
    QVERIFY(harness_->messages.shown.empty());
    QVERIFY(
        fs::is_regular_file(fs::path(out) / "A" / (sheets->topLevelItem(0)->text(0).toStdString() + ".csv")));
    QVERIFY(!fs::exists(fs::path(out) / "A" / (unticked.toStdString() + ".csv")));
    QVERIFY(!fs::exists(fs::path(out) / "B"));
  }

  // While the worker converts, the status line and the bar show each workbook in turn.
  void StatusLineAndProgressBarFollowTheRun() {
    FakeExcel excel;
    GatedExporter exporter;
    const std::string out =
        ListBooks(excel, {{"First Book.xlsx", {"S"}}, {"Second.xlsx", {"S"}}}, exporter.Table());
    harness_->Find<QToolButton>("Command6")->click();
    auto* label = harness_->Find<QLabel>("Label1");
    auto* bar = harness_->Find<QProgressBar>("ProgressBar1");
    QTRY_COMPARE(exporter.row.load(), 1);
    QTRY_COMPARE(label->text(), QStringLiteral("Convert FirstBook"));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->maximum(), 2);
    exporter.go_on.release();
    QTRY_COMPARE(label->text(), QStringLiteral("Convert Second"));
    QTRY_COMPARE(bar->value(), 1);
    exporter.go_on.release();
    QVERIFY(harness_->WaitForRun());
    QCOMPARE(bar->value(), 0);
    QCOMPARE(label->text(), QStringLiteral("Converted 2 workbooks (0 files). Output folder: %1/")
                                .arg(QString::fromStdString(out)));
  }

  void FailedWorkbookShowsDescriptionThenFailureAndRunGoesOn() {
    FakeExcel excel;
    excel.FailOn("SaveAs", "The disk is full.");
    const std::string out =
        ListBooks(excel, {{"A.xlsx", {"S1"}}, {"B.xlsx", {"S1"}}}, engine::StandardExporters());
    harness_->Convert();
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{{"The disk is full.", engine::MessageIcon::kNone},
                                 {"Convert A file failed!", engine::MessageIcon::kError},
                                 {"The disk is full.", engine::MessageIcon::kNone},
                                 {"Convert B file failed!", engine::MessageIcon::kError}}));
    QCOMPARE(harness_->shell.opened.size(), std::size_t{1});
    QVERIFY(QApplication::overrideCursor() == nullptr);
    auto* label = harness_->Find<QLabel>("Label1");
    QCOMPARE(label->text(), QStringLiteral("Converted 0 workbooks (0 files), 2 failed. Output folder: %1/. "
                                           "Failed: A.xlsx: The disk is full.; B.xlsx: The disk is full.")
                                .arg(QString::fromStdString(out)));
    QVERIFY(
        label->toolTip().endsWith(QStringLiteral("\nA.xlsx: The disk is full.\nB.xlsx: The disk is full.")));
  }

  // The run goes on a worker thread: while its first sheet is being written the window shows the
  // status, keeps every control that could change the run disabled and ignores Remove File and F5;
  // Esc stops the run after that sheet.
  void RunOnAWorkerThreadIgnoresInputAndStopsOnCancel() {
    FakeExcel excel;
    std::atomic<bool> in_first_sheet = false;
    std::binary_semaphore go_on(0);
    std::atomic<bool> on_ui_thread = false;
    engine::ExporterTable table;
    table.Register(engine::ExportSlot::kDelimited, [&](engine::EngineContext& context, int row) {
      on_ui_thread = on_ui_thread || QThread::currentThread() == qApp->thread();
      return engine::RunPerSheetExport(context, row,
                                       [&](automation::Workbook& workbook, const engine::SheetJob& job) {
                                         workbook.SaveAs(job.folder + job.base + ".csv", 6);
                                         if (job.index == 1 && job.base == "S1") {
                                           in_first_sheet = true;
                                           (void)go_on.try_acquire_for(std::chrono::seconds(5));
                                         }
                                         return true;
                                       });
    });
    const std::string out = ListBooks(excel, {{"A.xlsx", {"S1", "S2", "S3"}}, {"B.xlsx", {"T1"}}}, table);
    harness_->Find<QToolButton>("Command6")->click();

    QTRY_VERIFY(in_first_sheet);
    QTRY_COMPARE(harness_->Find<QLabel>("Label1")->text(), QStringLiteral("Convert A"));
    for (const char* name :
         {"Command1", "Command2", "Command5", "Command6", "Command3", "Command4", "ListView1", "ListView2",
          "ListView3", "Combo1", "Combo3", "Combo5", "Command10"}) {
      QVERIFY2(!harness_->Window().findChild<QWidget*>(QString::fromLatin1(name))->isEnabled(), name);
    }
    for (const char* name : {"AddExcel", "AddFolder", "RemoveItem", "RemoveAll", "Separate"}) {
      QVERIFY2(!harness_->Action(name)->isEnabled(), name);
    }
    harness_->Find<QToolButton>("Command2")->click();
    QTest::keyClick(&harness_->Window(), Qt::Key_F5);
    QTest::keyClick(&harness_->Window(), Qt::Key_Escape);
    go_on.release();

    QTRY_VERIFY(harness_->Find<QToolButton>("Command6")->isEnabled());
    QVERIFY(!on_ui_thread);
    QCOMPARE(harness_->Find<QTreeWidget>("ListView1")->topLevelItemCount(), 1);
    std::vector<std::string> saves;
    for (const std::string& call : excel.calls()) {
      if (call.rfind("SaveAs(", 0) == 0) saves.push_back(call);
    }
    QCOMPARE(saves, std::vector<std::string>{"SaveAs(" + out + "/A/S1.csv, 6)"});
    QCOMPARE(harness_->Find<QLabel>("Label1")->text(),
             QStringLiteral("Cancelled: converted 0 workbooks (1 file). Output folder: %1/")
                 .arg(QString::fromStdString(out)));
    QVERIFY(harness_->Find<QTreeWidget>("ListView2")->isEnabled());
    QVERIFY(harness_->Action("Separate")->isEnabled());
    QVERIFY(!harness_->Find<QPushButton>("CancelRun")->isEnabled());
  }

  // The Cancel button stops a run too, and closing the window during a run waits for it to stop.
  void CancelButtonAndClosingStopTheRun() {
    FakeExcel excel;
    GatedExporter exporter;
    ListBooks(excel, {{"A.xlsx", {"S"}}, {"B.xlsx", {"S"}}}, exporter.Table());
    harness_->Find<QToolButton>("Command6")->click();
    QTRY_COMPARE(exporter.row.load(), 1);
    harness_->Find<QPushButton>("CancelRun")->click();
    harness_->Close();
    QVERIFY2(harness_->Window().isVisible(), "the window waits for the run");
    exporter.go_on.release();
    QTRY_VERIFY(!harness_->Window().isVisible());
    QVERIFY(harness_->Find<QLabel>("Label1")->text().startsWith(
        QStringLiteral("Cancelled: converted 1 workbook")));
  }

  void OutputFolderTheDesktopCannotOpenIsReported() {
    FakeExcel excel;
    const std::string out = ListBooks(excel, {{"A.xlsx", {"S"}}}, engine::StandardExporters());
    harness_->shell.works = false;
    harness_->Convert();
    QCOMPARE(
        harness_->messages.shown,
        (std::vector<Shown>{{QString::fromStdString("The desktop could not open the folder " + out + "/"),
                             engine::MessageIcon::kError}}));
  }

  void PickedOutputDirectoryThatIsGoneIsReported() {
    FakeExcel excel;
    const std::string books = harness_->files.MakeFolder("books");
    excel.AddWorkbook(harness_->files.MakeFile("books/A.xlsx"), {"S1"});
    harness_->Start(excel.Factory(), engine::StandardExporters());
    harness_->dialogs.AnswerFolder(books);
    harness_->Find<QToolButton>("Command5")->click();
    harness_->dialogs.AnswerFolder(harness_->files / "gone");
    harness_->Find<QPushButton>("Command10")->click();
    harness_->Convert();
    QCOMPARE(
        harness_->messages.shown,
        (std::vector<Shown>{{QString::fromStdString("Folder does not exist! " + (harness_->files / "gone")),
                             engine::MessageIcon::kError}}));
    QVERIFY(harness_->shell.opened.empty());
    QVERIFY(!fs::exists(harness_->files / "gone"));
  }

 private:
  // Starts the window over a folder of `books` (name and sheets), adds that folder and types the
  // output directory, which it returns.
  std::string ListBooks(FakeExcel& excel, const Books& books, engine::ExporterTable table) {
    const std::string folder = harness_->files.MakeFolder("books");
    for (const auto& [name, sheets] : books) {
      excel.AddWorkbook(harness_->files.MakeFile("books/" + name), sheets);
    }
    harness_->Start(excel.Factory(), std::move(table));
    harness_->dialogs.AnswerFolder(folder);
    harness_->Find<QToolButton>("Command5")->click();
    const std::string out = harness_->files / "out";
    harness_->Find<QComboBox>("Combo5")->setEditText(QString::fromStdString(out));
    return out;
  }

  std::unique_ptr<WindowHarness> harness_;
};

}  // namespace quorvex::ui

QTEST_MAIN(quorvex::ui::ConversionTest)
#include "ConversionTest.moc"
