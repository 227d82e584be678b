// Tests of the conversion run: checks, unique output paths, dispatch, messages and reset.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <latch>
#include <set>
#include <thread>

#include "engine/ConversionRun.h"
#include "engine/PathHelpers.h"
#include "support/FakeExcel.h"
#include "support/RecordingControls.h"
#include "support/ScriptedRandomSource.h"
#include "support/TempDir.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using Message = RecordingControls::Message;
using Messages = std::vector<Message>;
using testing::FakeExcel;
using testing::ScriptedRandomSource;
using testing::TempDir;

// What a recording exporter saw at one call.
struct ExportCall {
  int row;
  std::string output_path;
  int kind_at_call;  // PathKind of the output path when the exporter was called
  bool operator==(const ExportCall&) const = default;
};

class ConversionRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    out_ = dir_.MakeFolder("out");
    controls_.SetOutputDirectory(out_, false);
    controls_.SetFormatIndex(0);
    Register(ExportSlot::kDelimited);
  }

  // Puts a recording exporter in `slot` that answers with the scripted results, then 1.
  void Register(ExportSlot slot) {
    exporters_.Register(slot, [this](EngineContext& context, int row) {
      const std::string path = context.state.WorkbookOutputPath();
      calls_.push_back(ExportCall{row, path, PathKind(path)});
      if (results_.empty()) {
        return ExportResult::kDone;
      }
      const ExportResult result = results_.front();
      results_.pop_front();
      return result;
    });
  }

  void AddRows(const std::vector<std::string>& names, bool checked = true) {
    for (const std::string& name : names) {
      controls_.AddWorkbookRow(name, checked);
    }
  }

  void Run() { RunConversion(context_, exporters_); }

  TempDir dir_;
  std::string out_;
  FakeExcel excel_;
  EngineState state_;
  RecordingControls controls_;
  ScriptedRandomSource random_;
  EngineContext context_{state_, controls_, excel_.Factory(), random_};
  ExporterTable exporters_;
  std::vector<ExportCall> calls_;
  std::deque<ExportResult> results_;
};

TEST_F(ConversionRunTest, EmptyListAsksForWorkbooksAndTouchesNoFolder) {
  controls_.SetOutputDirectory(dir_ / "typed", true);
  Run();
  EXPECT_EQ(controls_.Messages(), (Messages{{"Please select excel at fast!", MessageIcon::kInformation}}));
  EXPECT_EQ(PathKind(dir_ / "typed"), kNothingAtPath);
  EXPECT_TRUE(controls_.ShellOpens().empty());
  EXPECT_EQ(controls_.Status(), "");
  EXPECT_EQ(controls_.ProgressValue(), 0);
  EXPECT_FALSE(controls_.Busy());
}

TEST_F(ConversionRunTest, FailedOutputCheckStopsWithoutShell) {
  AddRows({"A.xls"});
  controls_.SetOutputDirectory("", false);
  Run();
  EXPECT_EQ(controls_.Messages(), (Messages{{"Please select output folder", MessageIcon::kInformation}}));
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(controls_.ShellOpens().empty());
  EXPECT_EQ(controls_.ProgressMax(), 1) << "the bar's maximum is set before the check";
}

TEST_F(ConversionRunTest, NothingTickedStillPreparesAndOpensTheOutput) {
  AddRows({"A.xls", "B.xls"}, false);
  controls_.SetOutputDirectory(dir_ / "made//", true);
  state_.SetCurrentWorkbookIndex(2);
  controls_.AddWorksheetRow("Jan", false);
  Run();
  EXPECT_EQ(PathKind(dir_ / "made"), kFolderAtPath);
  EXPECT_EQ(state_.Table().Name(2, 1), "Jan") << "the shown ticks are captured";
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(controls_.Messages().empty());
  EXPECT_EQ(controls_.ShellOpens(), (std::vector<std::string>{dir_ / "made/"}));
}

TEST_F(ConversionRunTest, AppendsCountersToThePreviousCandidate) {
  AddRows({"A.xls", "A.xlsx", "A.xlsm"});
  Run();
  EXPECT_EQ(calls_, (std::vector<ExportCall>{{1, out_ + "/A", kFolderAtPath},
                                             {2, out_ + "/A1", kFolderAtPath},
                                             {3, out_ + "/A12", kFolderAtPath}}));
}

TEST_F(ConversionRunTest, CountsPastExistingFoldersButNotFiles) {
  dir_.MakeFolder("out/Book1");
  dir_.MakeFolder("out/Book11");
  dir_.MakeFile("out/Cash");
  AddRows({"Book1.xls", "Cash.xls"});
  controls_.SetFormatIndex(4);
  Register(ExportSlot::kWorkbookXml);
  Run();
  EXPECT_EQ(calls_, (std::vector<ExportCall>{{1, out_ + "/Book112", kNothingAtPath},
                                             {2, out_ + "/Cash", kFileAtPath}}));
}

TEST_F(ConversionRunTest, CleansTheNameForFolderAndStatus) {
  AddRows({"Sales. 2010 .xls", "My Book.2010.xls", "No Dot"});
  Run();
  EXPECT_EQ(controls_.StatusHistory(),
            (std::vector<std::string>{"Convert Sales2010", "Convert MyBook2010", "Convert NoDot", ""}));
  ASSERT_EQ(calls_.size(), 3u);
  EXPECT_EQ(calls_[0].output_path, out_ + "/Sales2010");
  EXPECT_EQ(calls_[2].output_path, out_ + "/NoDot");
}

TEST_F(ConversionRunTest, EmptyNameStartsFromTheOutputRootItself) {
  AddRows({".xls", ".xls"});
  Run();
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].output_path, out_ + "/1");
  EXPECT_EQ(calls_[1].output_path, out_ + "/12");
}

TEST_F(ConversionRunTest, ReportsFailedWorkbooksAndGoesOn) {
  AddRows({"A b.xls", "B.xls", "C.xls", "D.xls"});
  controls_.SetWorkbookRowChecked(2, false);
  results_ = {ExportResult::kFailed, ExportResult::kNoWorkbookPath, ExportResult::kDone};
  Run();
  EXPECT_EQ(calls_.size(), 3u);
  EXPECT_EQ(calls_[1].row, 3);
  EXPECT_EQ(controls_.Messages(), (Messages{{"Convert Ab file failed!", MessageIcon::kError},
                                            {"Convert C file failed!", MessageIcon::kError}}));
  EXPECT_EQ(controls_.ShellOpens(), (std::vector<std::string>{out_ + "/"}));
}

TEST_F(ConversionRunTest, WholeWorkbookFormatsGetNoFolderAndMoveTheBar) {
  AddRows({"A.xls", "B.xls", "C.xls"});
  controls_.SetWorkbookRowChecked(2, false);
  controls_.SetFormatIndex(2);
  controls_.SetEntireWorkbook(true);
  Register(ExportSlot::kWorkbookWeb);
  Run();
  EXPECT_EQ(calls_,
            (std::vector<ExportCall>{{1, out_ + "/A", kNothingAtPath}, {3, out_ + "/C", kNothingAtPath}}));
  EXPECT_EQ(controls_.ProgressMax(), 3);
  EXPECT_EQ(controls_.ProgressValueHistory(), (std::vector<double>{1, 3, 0}));
}

TEST_F(ConversionRunTest, FormatWithoutExporterFailsEachWorkbookAndWritesNothing) {
  AddRows({"A.xls", "B.xls"});
  controls_.SetFormatIndex(5);
  Run();
  EXPECT_TRUE(calls_.empty());
  EXPECT_EQ(PathKind(out_ + "/A"), kNothingAtPath);
  EXPECT_EQ(controls_.Messages(), (Messages{{"Convert A file failed!", MessageIcon::kError},
                                            {"Convert B file failed!", MessageIcon::kError}}));
}

TEST_F(ConversionRunTest, FolderThatCannotBeCreatedFailsThatWorkbookOnly) {
  dir_.MakeFile("out/A");
  AddRows({"A.xls", "B.xls"});
  Run();
  EXPECT_EQ(calls_, (std::vector<ExportCall>{{2, out_ + "/B", kFolderAtPath}}));
  EXPECT_EQ(controls_.Messages(),
            (Messages{{"Failed to create folder! " + out_ + "/A: File exists", MessageIcon::kError},
                      {"Convert A file failed!", MessageIcon::kError}}));
}

TEST_F(ConversionRunTest, ShowsBusyWhileConvertingAndResetsAtTheEnd) {
  AddRows({"A.xls"});
  Run();
  EXPECT_EQ(controls_.BusyHistory(), (std::vector<bool>{true, false}));
  EXPECT_EQ(controls_.Status(), "");
  EXPECT_EQ(controls_.ProgressValue(), 0);
}

TEST_F(ConversionRunTest, ConvertsWithTheStandardExportersAndTheShownTicks) {
  dir_.MakeFolder("in");
  const std::string book = dir_.MakeFile("in/Book.xlsx");
  excel_.AddWorkbook(book, {"Jan", "Feb"});
  controls_.SetSelectedInputEntry(dir_ / "in");
  controls_.SetNamingMode(0);
  AddRows({"Book.xlsx"});
  // The worksheet list shows Book with Feb unticked; the run must capture that first.
  state_.SetCurrentWorkbookIndex(1);
  controls_.AddWorksheetRow("Jan", true);
  controls_.AddWorksheetRow("Feb", false);

  RunConversion(context_, StandardExporters());

  EXPECT_EQ(PathKind(out_ + "/Book"), kFolderAtPath);
  EXPECT_EQ(excel_.CallsWithoutReads(),
            (std::vector<std::string>{"Create(Excel.Application)", "Workbooks.Open(" + book + ")",
                                      "DisplayAlerts=False", "Worksheets(1).Select",
                                      "SaveAs(" + out_ + "/Book/Jan.csv, 6)", "Close", "Quit"}));
  EXPECT_TRUE(controls_.Messages().empty());
  EXPECT_EQ(controls_.ShellOpens(), (std::vector<std::string>{out_ + "/"}));
}

TEST_F(ConversionRunTest, SummaryCountsWorkbooksAndFilesAndNamesEachFailureWithItsCause) {
  dir_.MakeFolder("in");
  excel_.AddWorkbook(dir_.MakeFile("in/Book.xlsx"), {"Jan", "Feb"});
  excel_.AddWorkbook(dir_.MakeFile("in/Bad.xlsx"), {"S"});
  excel_.FailOn("Workbooks.Open(" + (dir_ / "in/Bad.xlsx") + ")",
                "Cannot open \"Bad.xlsx\": the file is not a workbook");
  controls_.SetSelectedInputEntry(dir_ / "in");
  controls_.SetNamingMode(0);
  AddRows({"Bad.xlsx", "Book.xlsx", "Gone.xlsx"});

  const RunSummary summary = RunConversion(context_, StandardExporters());

  EXPECT_TRUE(summary.started);
  EXPECT_FALSE(summary.cancelled);
  EXPECT_EQ(summary.converted, 1);
  EXPECT_EQ(summary.files, 2);
  EXPECT_EQ(summary.output_root, out_ + "/");
  EXPECT_EQ(summary.failures, (std::vector<WorkbookFailure>{
                                  {"Bad.xlsx", "Cannot open \"Bad.xlsx\": the file is not a workbook"},
                                  {"Gone.xlsx", "the workbook file was not found"}}));
  EXPECT_EQ(SummaryLine(summary), "Converted 1 workbook (2 files), 2 failed");
  EXPECT_EQ(FailureText(summary.failures[0]), "Cannot open \"Bad.xlsx\": the file is not a workbook");
  EXPECT_EQ(FailureText(summary.failures[1]), "Gone.xlsx: the workbook file was not found");
}

TEST_F(ConversionRunTest, SummaryKeepsTheWorkbooksWarningsInInputOrder) {
  exporters_.Register(ExportSlot::kDelimited, [](EngineContext& context, int row) {
    context.controls.ShowWarning("warning of row " + std::to_string(row));
    return ExportResult::kDone;
  });
  AddRows({"A.xlsx", "B.xlsx", "C.xlsx"});
  const RunSummary summary = RunConversion(context_, exporters_, 3);
  EXPECT_EQ(summary.warnings,
            (std::vector<std::string>{"warning of row 1", "warning of row 2", "warning of row 3"}));
}

TEST_F(ConversionRunTest, RunThatStopsAtItsChecksStartsNothing) {
  EXPECT_FALSE(RunConversion(context_, exporters_).started);
  AddRows({"A.xls"});
  controls_.SetOutputDirectory("", true);
  EXPECT_FALSE(RunConversion(context_, exporters_).started);
}

// Controls whose Cancel button is pressed once the first workbook has started: the run's check
// before that workbook finds it up, every later check (the first one after a sheet) down.
class CancelDuringFirstSheet : public RecordingControls {
 public:
  bool CancelRequested() const override { return checks_.fetch_add(1) >= 1; }

 private:
  mutable std::atomic<int> checks_ = 0;
};

TEST(ConversionRunCancel, StopsAfterTheSheetBeingWrittenAndClosesTheWorkbook) {
  TempDir dir;
  FakeExcel excel;
  EngineState state;
  CancelDuringFirstSheet controls;
  ScriptedRandomSource random;
  EngineContext context{state, controls, excel.Factory(), random};
  dir.MakeFolder("in");
  excel.AddWorkbook(dir.MakeFile("in/One.xlsx"), {"S1", "S2", "S3"});
  excel.AddWorkbook(dir.MakeFile("in/Two.xlsx"), {"T1"});
  controls.SetSelectedInputEntry(dir / "in");
  controls.SetOutputDirectory(dir / "out", true);
  controls.SetFormatIndex(0);
  controls.SetNamingMode(0);
  controls.AddWorkbookRow("One.xlsx", true);
  controls.AddWorkbookRow("Two.xlsx", true);

  const RunSummary summary = RunConversion(context, StandardExporters());

  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(summary.converted, 0);
  EXPECT_EQ(summary.files, 1);
  EXPECT_TRUE(summary.failures.empty());
  EXPECT_TRUE(controls.Messages().empty());
  EXPECT_EQ(SummaryLine(summary), "Cancelled: converted 0 workbooks (1 file)");
  const std::vector<std::string> calls = excel.CallsWithoutReads();
  EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
            (std::vector<std::string>{"SaveAs(" + (dir / "out/One/S1.csv") + ", 6)", "Close", "Quit"}));
  EXPECT_EQ(excel.Creations(), 1) << "the second workbook is not started";
  EXPECT_EQ(controls.ShellOpens(), (std::vector<std::string>{dir / "out/"}));
}

// Two runs into one output directory at the same moment, each converting many workbooks of the
// same name: every workbook must get a folder of its own.
TEST(ConcurrentRuns, NeverShareAWorkbookFolder) {
  constexpr int kRuns = 2;
  constexpr int kRows = 40;
  for (int trial = 0; trial < 10; ++trial) {
    TempDir dir;
    const std::string out = dir.MakeFolder("out");
    std::vector<std::string> claimed[kRuns];
    std::latch start(kRuns);
    const auto run = [&](int index) {
      EngineState state;
      RecordingControls controls;
      ScriptedRandomSource random;
      controls.SetOutputDirectory(out, false);
      controls.SetFormatIndex(0);
      for (int row = 0; row < kRows; ++row) {
        controls.AddWorkbookRow("Book.xls", true);
      }
      ExporterTable exporters;
      exporters.Register(ExportSlot::kDelimited, [&claimed, index](EngineContext& context, int) {
        claimed[index].push_back(context.state.WorkbookOutputPath());
        return ExportResult::kDone;
      });
      EngineContext context{state, controls, {}, random};
      start.arrive_and_wait();
      RunConversion(context, exporters);
    };
    std::thread first(run, 0);
    std::thread second(run, 1);
    first.join();
    second.join();
    std::set<std::string> folders(claimed[0].begin(), claimed[0].end());
    folders.insert(claimed[1].begin(), claimed[1].end());
    ASSERT_EQ(folders.size(), std::size_t{kRuns * kRows}) << "trial " << trial;
  }
}

}  // namespace
}  // namespace quorvex::engine
