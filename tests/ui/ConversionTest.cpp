// Tests of converting from the window: a full run on real workbooks, feedback, and failures.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/builtin/BuiltinApplication.h"
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

}  // namespace

class ConversionTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { harness_ = std::make_unique<WindowHarness>(); }
  void cleanup() { harness_.reset(); }

  void FullRunFromAddFolderWritesEveryWorksheetAsCsv() {
    const std::string books = harness_->files.MakeFolder("books");
    std::vector<fs::path> cases;
    for (const char* name : kGoldenCases) {
      const fs::path case_folder = fs::path(QUORVEX_GOLDEN_DIR) / name;
      const fs::path workbook = WorkbookOf(case_folder);
      QVERIFY2(!workbook.empty(), name);
      fs::copy_file(workbook, fs::path(books) / workbook.filename());
      cases.push_back(case_folder);
    }
    harness_->Start(&automation::CreateBuiltinApplication, engine::StandardExporters());
    harness_->dialogs.AnswerFolder(books);
    harness_->Find<QToolButton>("Command5")->click();
    QCOMPARE(harness_->Find<QTreeWidget>("ListView2")->topLevelItemCount(), static_cast<int>(cases.size()));

    const std::string out = harness_->files / "out";
    harness_->Find<QComboBox>("Combo5")->setEditText(QString::fromStdString(out));
    harness_->Find<QToolButton>("Command6")->click();

    QVERIFY(harness_->messages.shown.empty());
    QCOMPARE(harness_->shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(out + "/"))});
    QCOMPARE(harness_->Find<QLabel>("Label1")->text(), QString());
    QCOMPARE(harness_->Find<QProgressBar>("ProgressBar1")->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    for (const fs::path& case_folder : cases) {
      const std::string folder =
          engine::RemoveSpacesAndDots(engine::StripExtension(WorkbookOf(case_folder).filename().string()));
      int files = 0;
      for (const auto& expected : fs::directory_iterator(case_folder / "expected" / "csv")) {
        const fs::path written = fs::path(out) / folder / expected.path().filename();
        QVERIFY2(fs::is_regular_file(written), qPrintable(QString::fromStdString(written.string())));
        QVERIFY2(Bytes(written) == Bytes(expected.path()), qPrintable(QString::fromStdString(written.string())));
        ++files;
      }
      QCOMPARE(static_cast<int>(std::distance(fs::directory_iterator(fs::path(out) / folder),
                                              fs::directory_iterator())),
               files);
    }
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
    harness_->Find<QToolButton>("Command6")->click();
    QVERIFY(harness_->messages.shown.empty());
    QVERIFY(fs::is_regular_file(fs::path(out) / "A" / (sheets->topLevelItem(0)->text(0).toStdString() + ".csv")));
    QVERIFY(!fs::exists(fs::path(out) / "A" / (unticked.toStdString() + ".csv")));
    QVERIFY(!fs::exists(fs::path(out) / "B"));
  }

  void StatusLineAndProgressBarFollowTheRun() {
    FakeExcel excel;
    const std::string books = harness_->files.MakeFolder("books");
    excel.AddWorkbook(harness_->files.MakeFile("books/First Book.xlsx"), {"S"});
    excel.AddWorkbook(harness_->files.MakeFile("books/Second.xlsx"), {"S"});
    std::vector<QString> statuses;
    std::vector<int> progress;
    engine::ExporterTable table;
    table.Register(engine::ExportSlot::kWorkbookXml, [&](engine::EngineContext&, int) {
      statuses.push_back(harness_->Find<QLabel>("Label1")->text());
      progress.push_back(harness_->Find<QProgressBar>("ProgressBar1")->value());
      return engine::ExportResult::kDone;
    });
    harness_->Start(excel.Factory(), table);
    harness_->dialogs.AnswerFolder(books);
    harness_->Find<QToolButton>("Command5")->click();
    harness_->Find<QComboBox>("Combo5")->setEditText(QString::fromStdString(harness_->files / "out"));
    harness_->Find<QToolButton>("Command6")->click();
    QCOMPARE(statuses, (std::vector<QString>{"Convert FirstBook", "Convert Second"}));
    QCOMPARE(progress, (std::vector<int>{0, 1}));
    QCOMPARE(harness_->Find<QProgressBar>("ProgressBar1")->maximum(), 2);
    QCOMPARE(harness_->Find<QLabel>("Label1")->text(), QString());
  }

  void FailedWorkbookShowsDescriptionThenFailureAndRunGoesOn() {
    FakeExcel excel;
    const std::string books = harness_->files.MakeFolder("books");
    excel.AddWorkbook(harness_->files.MakeFile("books/A.xlsx"), {"S1"});
    excel.AddWorkbook(harness_->files.MakeFile("books/B.xlsx"), {"S1"});
    excel.FailOn("SaveAs", "The disk is full.");
    harness_->Start(excel.Factory(), engine::StandardExporters());
    harness_->dialogs.AnswerFolder(books);
    harness_->Find<QToolButton>("Command5")->click();
    const std::string out = harness_->files.MakeFolder("out");
    harness_->Find<QComboBox>("Combo5")->setEditText(QString::fromStdString(out));
    harness_->Find<QToolButton>("Command6")->click();
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{{"The disk is full.", engine::MessageIcon::kNone},
                                 {"Convert A file failed!", engine::MessageIcon::kError},
                                 {"The disk is full.", engine::MessageIcon::kNone},
                                 {"Convert B file failed!", engine::MessageIcon::kError}}));
    QCOMPARE(harness_->shell.opened.size(), std::size_t{1});
    QVERIFY(QApplication::overrideCursor() == nullptr);
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
    harness_->Find<QToolButton>("Command6")->click();
    QCOMPARE(harness_->messages.shown,
             (std::vector<Shown>{{"Folder does not exist!", engine::MessageIcon::kError}}));
    QVERIFY(harness_->shell.opened.empty());
    QVERIFY(!fs::exists(harness_->files / "gone"));
  }

 private:
  std::unique_ptr<WindowHarness> harness_;
};

}  // namespace quorvex::ui

QTEST_MAIN(quorvex::ui::ConversionTest)
#include "ConversionTest.moc"
