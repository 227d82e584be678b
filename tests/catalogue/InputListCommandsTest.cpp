// Tests of the input-list commands and their effects on the other lists and the table.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "catalogue/InputListCommands.h"
#include "support/FakeExcel.h"
#include "support/RecordingControls.h"
#include "support/ScriptedRandomSource.h"
#include "support/TempDir.h"

namespace quorvex::catalogue {
namespace {

using testing::RecordingControls;

using engine::MessageIcon;
using testing::FakeExcel;
using testing::ScriptedRandomSource;
using testing::TempDir;
using Rows = std::vector<RecordingControls::Row>;
using Entry = std::pair<std::string, InputIcon>;

// The window's lists in memory: the input list drives SelectedInputEntry as the window's does.
class MemoryLists : public RecordingControls, public InputListRows {
 public:
  std::string SelectedInputEntry() const override { return InputRowText(selected_); }

  int InputRowCount() const override { return static_cast<int>(entries_.size()); }
  std::string InputRowText(int row) const override { return Valid(row) ? entries_[Index(row)].first : ""; }
  InputIcon InputRowIcon(int row) const override {
    return Valid(row) ? entries_[Index(row)].second : InputIcon::kMissing;
  }
  int SelectedInputRow() const override { return selected_; }
  void InsertInputRow(int row, const std::string& text, InputIcon icon) override {
    entries_.insert(entries_.begin() + (row - 1), {text, icon});
    if (entries_.size() == 1) {
      selected_ = 1;
    }
  }
  void RemoveInputRow(int row) override {
    entries_.erase(entries_.begin() + (row - 1));
    selected_ = std::min(selected_, InputRowCount());
  }
  void SelectInputRow(int row) override { selected_ = row; }
  void ClearInputRows() override {
    entries_.clear();
    selected_ = 0;
  }
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  bool Valid(int row) const { return row >= 1 && row <= InputRowCount(); }
  static std::size_t Index(int row) { return static_cast<std::size_t>(row - 1); }

  std::vector<Entry> entries_;
  int selected_ = 0;
};

class InputListCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = dir_.MakeFolder("books");
    a_ = dir_.MakeFile("books/A.xlsx");
    b_ = dir_.MakeFile("books/B.xls");
    single_ = dir_.MakeFile("Single.xlsx");
    empty_ = dir_.MakeFolder("empty");
    excel_.AddWorkbook(a_, {"A1", "A2"});
    excel_.AddWorkbook(b_, {"B1"});
    excel_.AddWorkbook(single_, {"S1", "S2", "S3"});
    state_.SetReadSheetsFromWorkbook(true);
  }

  TempDir dir_;
  std::string folder_, a_, b_, single_, empty_;
  FakeExcel excel_;
  engine::EngineState state_;
  MemoryLists lists_;
  ScriptedRandomSource random_;
  engine::EngineContext context_{state_, lists_, excel_.Factory(), random_};
};

TEST_F(InputListCommandsTest, AddFileAppendsSelectsAndListsItsSheets) {
  AddInputFiles(context_, lists_, {single_});
  EXPECT_EQ(lists_.entries(), (std::vector<Entry>{{single_, InputIcon::kFile}}));
  EXPECT_EQ(lists_.SelectedInputRow(), 1);
  EXPECT_EQ(lists_.workbook_rows(), (Rows{{"Single.xlsx", true}}));
  EXPECT_EQ(lists_.worksheet_rows(), (Rows{{"S1", true}, {"S2", true}, {"S3", true}}));
  EXPECT_TRUE(state_.table().IsRecorded(1));
  EXPECT_EQ(lists_.busy_history(), (std::vector<bool>{true, false}));
}

TEST_F(InputListCommandsTest, AddingTheSameFileTwiceGivesTwoRows) {
  AddInputFiles(context_, lists_, {single_});
  AddInputFiles(context_, lists_, {single_});
  EXPECT_EQ(lists_.InputRowCount(), 2);
  EXPECT_EQ(lists_.SelectedInputRow(), 2);
}

TEST_F(InputListCommandsTest, SeveralFilesAreAddedInOrderAndOnlyTheLastIsRead) {
  AddInputFiles(context_, lists_, {a_, single_});
  EXPECT_EQ(lists_.entries(), (std::vector<Entry>{{a_, InputIcon::kFile}, {single_, InputIcon::kFile}}));
  EXPECT_EQ(lists_.SelectedInputRow(), 2);
  EXPECT_EQ(lists_.workbook_rows(), (Rows{{"Single.xlsx", true}}));
  EXPECT_EQ(excel_.creations(), 1);
}

TEST_F(InputListCommandsTest, AddFolderListsItsWorkbooksAndFirstWorkbooksSheets) {
  AddInputFolder(context_, lists_, folder_);
  EXPECT_EQ(lists_.entries(), (std::vector<Entry>{{folder_, InputIcon::kFolder}}));
  EXPECT_EQ(lists_.workbook_rows(), (Rows{{"A.xlsx", true}, {"B.xls", true}}));
  EXPECT_EQ(lists_.worksheet_rows(), (Rows{{"A1", true}, {"A2", true}}));
  EXPECT_EQ(state_.CurrentWorkbookIndex(), 1);
}

TEST_F(InputListCommandsTest, FolderWithoutWorkbooksLeavesWorksheetListAsItWas) {
  AddInputFiles(context_, lists_, {single_});
  AddInputFolder(context_, lists_, empty_);
  EXPECT_EQ(lists_.InputRowIcon(2), InputIcon::kFolder);
  EXPECT_TRUE(lists_.workbook_rows().empty());
  EXPECT_EQ(lists_.WorksheetRowCount(), 3);
  EXPECT_TRUE(lists_.messages().empty());
  EXPECT_FALSE(lists_.busy());
}

TEST_F(InputListCommandsTest, EmptyFolderPathChangesNothing) {
  AddInputFolder(context_, lists_, "");
  EXPECT_EQ(lists_.InputRowCount(), 0);
  EXPECT_EQ(excel_.creations(), 0);
  EXPECT_FALSE(lists_.busy());
}

TEST_F(InputListCommandsTest, RemovingRowOneOfThreeSelectsNewFirstRowAndListsIt) {
  AddInputFiles(context_, lists_, {single_});
  AddInputFolder(context_, lists_, folder_);
  AddInputFolder(context_, lists_, empty_);
  lists_.SelectInputRow(1);
  RemoveSelectedInput(context_, lists_);
  EXPECT_EQ(lists_.InputRowCount(), 2);
  EXPECT_EQ(lists_.SelectedInputRow(), 1);
  EXPECT_EQ(lists_.InputRowText(1), folder_);
  EXPECT_EQ(lists_.workbook_rows(), (Rows{{"A.xlsx", true}, {"B.xls", true}}));
  EXPECT_EQ(lists_.worksheet_rows(), (Rows{{"A1", true}, {"A2", true}}));
}

TEST_F(InputListCommandsTest, RemovingRowThreeOfThreeSelectsRowTwo) {
  AddInputFolder(context_, lists_, empty_);
  AddInputFolder(context_, lists_, folder_);
  AddInputFiles(context_, lists_, {single_});
  RemoveSelectedInput(context_, lists_);
  EXPECT_EQ(lists_.SelectedInputRow(), 2);
  EXPECT_EQ(lists_.workbook_rows(), (Rows{{"A.xlsx", true}, {"B.xls", true}}));
  EXPECT_TRUE(state_.table().IsRecorded(1));
}

TEST_F(InputListCommandsTest, RemovingTheOnlyRowEmptiesAllListsAndTheTable) {
  AddInputFiles(context_, lists_, {single_});
  RemoveSelectedInput(context_, lists_);
  EXPECT_EQ(lists_.InputRowCount(), 0);
  EXPECT_TRUE(lists_.workbook_rows().empty());
  EXPECT_TRUE(lists_.worksheet_rows().empty());
  EXPECT_FALSE(state_.table().IsRecorded(1));
}

TEST_F(InputListCommandsTest, RemoveOnEmptyListOnlyResetsPointer) {
  RemoveSelectedInput(context_, lists_);
  EXPECT_EQ(lists_.busy_history(), (std::vector<bool>{false}));
}

TEST_F(InputListCommandsTest, MovesKeepIconAndSelectionAndListNothing) {
  lists_.InsertInputRow(1, "/gone", InputIcon::kMissing);
  lists_.InsertInputRow(2, folder_, InputIcon::kFolder);
  lists_.InsertInputRow(3, single_, InputIcon::kFile);
  lists_.SelectInputRow(1);
  MoveSelectedInputDown(lists_);
  EXPECT_EQ(lists_.entries(),
            (std::vector<Entry>{
                {folder_, InputIcon::kFolder}, {"/gone", InputIcon::kMissing}, {single_, InputIcon::kFile}}));
  EXPECT_EQ(lists_.SelectedInputRow(), 2);
  MoveSelectedInputDown(lists_);
  MoveSelectedInputDown(lists_);  // already last: nothing
  EXPECT_EQ(lists_.InputRowText(3), "/gone");
  EXPECT_EQ(lists_.SelectedInputRow(), 3);
  MoveSelectedInputUp(lists_);
  EXPECT_EQ(lists_.InputRowText(2), "/gone");
  EXPECT_EQ(lists_.InputRowIcon(2), InputIcon::kMissing);
  lists_.SelectInputRow(1);
  MoveSelectedInputUp(lists_);  // already first: nothing
  EXPECT_EQ(lists_.InputRowText(1), folder_);
  EXPECT_EQ(excel_.creations(), 0);
  EXPECT_TRUE(lists_.workbook_rows().empty());
}

TEST_F(InputListCommandsTest, MovesDoNotTouchTheTable) {
  AddInputFiles(context_, lists_, {single_});
  AddInputFolder(context_, lists_, folder_);
  MoveSelectedInputUp(lists_);
  EXPECT_TRUE(state_.table().IsRecorded(1));
  EXPECT_EQ(lists_.SelectedInputRow(), 1);
  EXPECT_EQ(lists_.SelectedInputEntry(), folder_);
}

TEST_F(InputListCommandsTest, RemoveAllClearsEverything) {
  AddInputFolder(context_, lists_, folder_);
  RemoveAllInputs(context_, lists_);
  EXPECT_EQ(lists_.InputRowCount(), 0);
  EXPECT_TRUE(lists_.workbook_rows().empty());
  EXPECT_TRUE(lists_.worksheet_rows().empty());
  EXPECT_FALSE(state_.table().IsRecorded(1));
}

TEST_F(InputListCommandsTest, ClickListsAgainThenClearsTheTable) {
  AddInputFiles(context_, lists_, {single_});
  AddInputFolder(context_, lists_, folder_);
  lists_.SelectInputRow(1);
  const int creations = excel_.creations();
  InputListItemClick(context_, lists_);
  EXPECT_EQ(lists_.workbook_rows(), (Rows{{"Single.xlsx", true}}));
  EXPECT_EQ(lists_.WorksheetRowCount(), 3);
  EXPECT_EQ(excel_.creations(), creations + 1);
  EXPECT_FALSE(state_.table().IsRecorded(1));
  EXPECT_FALSE(lists_.busy());
}

TEST_F(InputListCommandsTest, ClickOnMissingEntryEmptiesBothListsSilently) {
  AddInputFiles(context_, lists_, {single_});
  lists_.InsertInputRow(2, dir_ / "gone", InputIcon::kMissing);
  lists_.SelectInputRow(2);
  InputListItemClick(context_, lists_);
  EXPECT_TRUE(lists_.workbook_rows().empty());
  EXPECT_TRUE(lists_.worksheet_rows().empty());
  EXPECT_TRUE(lists_.messages().empty());
}

TEST_F(InputListCommandsTest, UnreadableWorkbookShowsDescriptionThenOpenFailed) {
  excel_.FailOn("Workbooks.Open(" + single_ + ")", "The file is damaged.");
  AddInputFiles(context_, lists_, {single_});
  EXPECT_EQ(lists_.messages(),
            (std::vector<RecordingControls::Message>{{"The file is damaged.", MessageIcon::kError},
                                                     {"Excel file open failed!", MessageIcon::kError}}));
  EXPECT_EQ(lists_.InputRowCount(), 1);
  EXPECT_TRUE(lists_.worksheet_rows().empty());
  EXPECT_FALSE(lists_.busy());
}

TEST_F(InputListCommandsTest, DroppedPathsAreAddedByKindAndOthersIgnored) {
  EXPECT_TRUE(AddDroppedPath(context_, lists_, folder_));
  EXPECT_TRUE(AddDroppedPath(context_, lists_, single_));
  EXPECT_FALSE(AddDroppedPath(context_, lists_, dir_ / "nothing"));
  EXPECT_FALSE(AddDroppedPath(context_, lists_, dir_.MakeFile("notes.txt"))) << "not a workbook";
  EXPECT_EQ(lists_.entries(),
            (std::vector<Entry>{{folder_, InputIcon::kFolder}, {single_, InputIcon::kFile}}));
}

TEST_F(InputListCommandsTest, IconForReloadedPathFollowsWhatIsThere) {
  EXPECT_EQ(InputIconFor(single_), InputIcon::kFile);
  EXPECT_EQ(InputIconFor(folder_), InputIcon::kFolder);
  EXPECT_EQ(InputIconFor(dir_ / "gone"), InputIcon::kMissing);
  EXPECT_EQ(InputIconFor(""), InputIcon::kMissing);
}

}  // namespace
}  // namespace quorvex::catalogue
