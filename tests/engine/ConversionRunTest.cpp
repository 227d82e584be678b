// Tests of the conversion run: checks, unique output paths, dispatch, messages and reset.
#include <gtest/gtest.h>

#include <deque>

#include "engine/ConversionRun.h"
#include "engine/HeadlessControls.h"
#include "engine/PathHelpers.h"
#include "support/FakeExcel.h"
#include "support/ScriptedRandomSource.h"
#include "support/TempDir.h"

namespace quorvex::engine {
namespace {

using Message = HeadlessControls::Message;
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
  HeadlessControls controls_;
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
  EXPECT_EQ(controls_.Messages(), (Messages{{"Convert A file failed!", MessageIcon::kError}}));
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

}  // namespace
}  // namespace quorvex::engine
