// Tests of filling the worksheet list from the sheet selection table or the application.
#include <gtest/gtest.h>

#include "catalogue/ListWorkbooks.h"
#include "catalogue/ListWorksheets.h"
#include "support/FakeExcel.h"
#include "support/RecordingControls.h"
#include "support/ScriptedRandomSource.h"
#include "support/TempDir.h"

namespace quorvex::catalogue {
namespace {

using testing::RecordingControls;

using engine::MessageIcon;
using Calls = std::vector<std::string>;
using Messages = std::vector<RecordingControls::Message>;
using testing::FakeExcel;
using testing::ScriptedRandomSource;
using testing::TempDir;

class ListWorksheetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a_ = dir_.MakeFile("A.xls");
    b_ = dir_.MakeFile("B.xls");
    excel_.AddWorkbook(a_, {"A1", "A2", "A3"});
    excel_.AddWorkbook(b_, {"B1", "B2"});
    state_.SetReadSheetsFromWorkbook(true);
    controls_.SetSelectedInputEntry(dir_.path());
  }

  // What adding the folder as an input entry does to the two lists and the table.
  void AddFolder() {
    ListWorkbooks(state_, controls_, dir_.path());
    state_.table().Clear();
    ListWorksheets(context_);
  }

  void Click(int row) {
    controls_.SelectWorkbookRow(row);
    WorkbookListItemClick(context_);
  }

  std::vector<RecordingControls::Row> Shown() const { return controls_.worksheet_rows(); }

  TempDir dir_;
  std::string a_;
  std::string b_;
  FakeExcel excel_;
  engine::EngineState state_;
  RecordingControls controls_;
  ScriptedRandomSource random_;
  engine::EngineContext context_{state_, controls_, excel_.Factory(), random_};
};

using Rows = std::vector<RecordingControls::Row>;

TEST_F(ListWorksheetsTest, ReadsSheetsTickedAndRecordsThem) {
  AddFolder();
  EXPECT_EQ(Shown(), (Rows{{"A1", true}, {"A2", true}, {"A3", true}}));
  EXPECT_EQ(excel_.calls(), (Calls{"Create(Excel.Application)", "Workbooks.Open(" + a_ + ")",
                                   "DisplayAlerts=False", "Worksheets.count", "Worksheets(1).name",
                                   "Worksheets(2).name", "Worksheets(3).name", "Close", "Quit"}));
  EXPECT_EQ(state_.CurrentWorkbookIndex(), 1);
  EXPECT_EQ(state_.table().Name(1, 3), "A3");
  EXPECT_TRUE(state_.table().Ticked(1, 3));
}

TEST_F(ListWorksheetsTest, SwitchingBackRestoresTicksWithoutTheApplication) {
  AddFolder();
  controls_.SetWorksheetRowChecked(2, false);
  Click(2);
  EXPECT_EQ(Shown(), (Rows{{"B1", true}, {"B2", true}}));
  EXPECT_EQ(excel_.creations(), 2);
  Click(1);
  EXPECT_EQ(Shown(), (Rows{{"A1", true}, {"A2", false}, {"A3", true}}));
  EXPECT_EQ(excel_.creations(), 2);
  EXPECT_TRUE(state_.ReadSheetsFromWorkbook());
  EXPECT_EQ(controls_.busy_history(), (std::vector<bool>{true, false, true, false}));
}

TEST_F(ListWorksheetsTest, ClickingTheShownRecordedWorkbookKeepsItsTicks) {
  AddFolder();
  controls_.SetWorksheetRowChecked(3, false);
  Click(1);
  EXPECT_EQ(Shown(), (Rows{{"A1", true}, {"A2", true}, {"A3", false}}));
  EXPECT_EQ(excel_.creations(), 1);
}

TEST_F(ListWorksheetsTest, AfterAnInputEntryClickTheShownWorkbookIsReadAfresh) {
  // An input entry click lists, shows, then clears the table.
  ListWorkbooks(state_, controls_, dir_.path());
  ListWorksheets(context_);
  state_.table().Clear();
  controls_.SetWorksheetRowChecked(2, false);
  Click(1);
  EXPECT_EQ(Shown(), (Rows{{"A1", true}, {"A2", true}, {"A3", true}}));
  EXPECT_EQ(excel_.creations(), 2);
}

TEST_F(ListWorksheetsTest, SheetsAboveFiveThousandAreShownButNotRecorded) {
  excel_.AddNumberedWorkbook(a_, 5001);
  AddFolder();
  ASSERT_EQ(controls_.WorksheetRowCount(), 5001);
  EXPECT_TRUE(controls_.WorksheetRowChecked(5001));
  EXPECT_EQ(state_.table().Name(1, 5000), "Sheet5000");
  controls_.SetWorksheetRowChecked(7, false);
  Click(2);
  Click(1);
  ASSERT_EQ(controls_.WorksheetRowCount(), 5000);
  EXPECT_FALSE(controls_.WorksheetRowChecked(7));
  EXPECT_TRUE(controls_.WorksheetRowChecked(5000));
}

TEST_F(ListWorksheetsTest, OpenFailureShowsDescriptionThenItsOwnMessage) {
  AddFolder();
  dir_.MakeFile("C.xls");
  ListWorkbooks(state_, controls_, dir_.path());
  ListWorksheets(context_);
  excel_.ClearCalls();
  Click(3);
  const std::string c = dir_ / "C.xls";
  EXPECT_EQ(controls_.messages(),
            (Messages{{std::string("'") + c + "' could not be found.", MessageIcon::kError},
                      {"Excel file open failed!", MessageIcon::kError}}));
  EXPECT_EQ(excel_.calls(), (Calls{"Create(Excel.Application)", "Workbooks.Open(" + c + ")", "Quit"}));
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(state_.CurrentWorkbookIndex(), 3);
  Click(3);
  EXPECT_EQ(excel_.creations(), 4) << "a workbook that failed to open is tried again";
}

TEST_F(ListWorksheetsTest, FailureWhileReadingKeepsEarlierRowsAndCleansUp) {
  excel_.FailOn("Worksheets(2).name", "Name unavailable.");
  ListWorkbooks(state_, controls_, dir_.path());
  ListWorksheets(context_);
  EXPECT_EQ(Shown(), (Rows{{"A1", true}}));
  EXPECT_EQ(state_.table().Name(1, 1), "A1");
  EXPECT_EQ(Calls(excel_.calls().end() - 2, excel_.calls().end()), (Calls{"Close", "Quit"}));
  EXPECT_EQ(controls_.messages(), (Messages{{"Name unavailable.", MessageIcon::kError},
                                            {"Excel file open failed!", MessageIcon::kError}}));
}

TEST_F(ListWorksheetsTest, CreationFailureQuitsNothing) {
  excel_.FailCreation("No spreadsheet application.");
  AddFolder();
  EXPECT_EQ(excel_.quits(), 0);
  EXPECT_EQ(controls_.messages(), (Messages{{"No spreadsheet application.", MessageIcon::kError},
                                            {"Excel file open failed!", MessageIcon::kError}}));
}

TEST_F(ListWorksheetsTest, UnresolvedWorkbookLeavesEverythingAsItWas) {
  AddFolder();
  controls_.SetSelectedInputEntry(dir_ / "missing");
  state_.SetCurrentWorkbookIndex(1);
  Click(2);
  EXPECT_EQ(Shown().size(), 3u);
  EXPECT_EQ(state_.CurrentWorkbookIndex(), 1);
  EXPECT_EQ(excel_.creations(), 1);
  EXPECT_TRUE(controls_.messages().empty());
}

TEST(ResolveSelectedWorkbookPath, UsesTheSelectedRows) {
  TempDir dir;
  const std::string a = dir.MakeFile("a.xls");
  const std::string b = dir.MakeFile("b.xls");
  RecordingControls controls;
  EXPECT_EQ(ResolveSelectedWorkbookPath(controls), "");
  controls.SetSelectedInputEntry(dir.path());
  EXPECT_EQ(ResolveSelectedWorkbookPath(controls), "") << "no workbook rows";
  controls.AddWorkbookRow("a.xls", true);
  controls.AddWorkbookRow("b.xls", true);
  EXPECT_EQ(ResolveSelectedWorkbookPath(controls), a);
  controls.SelectWorkbookRow(2);
  EXPECT_EQ(ResolveSelectedWorkbookPath(controls), b);
  controls.SetSelectedInputEntry(a);
  EXPECT_EQ(ResolveSelectedWorkbookPath(controls), a) << "a file entry is the workbook itself";
}

}  // namespace
}  // namespace quorvex::catalogue
