// Tests of filling the workbook list from an input entry.
#include <gtest/gtest.h>

#include <cstdio>

#include "catalogue/ListWorkbooks.h"
#include "support/RecordingControls.h"
#include "support/TempDir.h"

namespace quorvex::catalogue {
namespace {

using testing::RecordingControls;

using testing::TempDir;

class ListWorkbooksTest : public ::testing::Test {
 protected:
  std::vector<std::string> List(const std::string& entry) {
    ListWorkbooks(state_, controls_, entry);
    std::vector<std::string> names;
    for (const RecordingControls::Row& row : controls_.workbook_rows()) {
      EXPECT_TRUE(row.checked) << row.text;
      names.push_back(row.text);
    }
    return names;
  }

  TempDir dir_;
  engine::EngineState state_;
  RecordingControls controls_;
};

TEST_F(ListWorkbooksTest, FileEntryGivesOneRowNamedByTheFileAlone) {
  const std::string file = dir_.MakeFile("Sales 2010.xlsx");
  EXPECT_EQ(List(file), (std::vector<std::string>{"Sales 2010.xlsx"}));
  EXPECT_EQ(controls_.SelectedWorkbookRow(), 1);
}

TEST_F(ListWorkbooksTest, FolderListsSpreadsheetFilesInNameOrderIgnoringCase) {
  for (const char* name : {"b.XLSX", "A.xls", "c.xlsm", "D.XLSB", "a2.Xls", "e.csv", "g.xls.bak", "noext",
                           "h.xl", ".hidden.xls", "~$lock.txt"}) {
    dir_.MakeFile(name);
  }
  dir_.MakeFolder("sub.xls");
  dir_.MakeFile("sub.xls/inner.xls");
  EXPECT_EQ(List(dir_.path()), (std::vector<std::string>{"A.xls", "a2.Xls", "b.XLSX", "c.xlsm", "D.XLSB"}));
}

TEST_F(ListWorkbooksTest, FolderListsAtMostFiveHundred) {
  for (int i = 599; i >= 0; --i) {
    char name[16];
    std::snprintf(name, sizeof name, "book%03d.xls", i);
    dir_.MakeFile(name);
  }
  const std::vector<std::string> names = List(dir_.path());
  ASSERT_EQ(names.size(), 500u);
  EXPECT_EQ(names.front(), "book000.xls");
  EXPECT_EQ(names.back(), "book499.xls");
}

TEST_F(ListWorkbooksTest, NothingToListEmptiesTheListQuietly) {
  dir_.MakeFolder("empty");
  dir_.MakeFile("only.csv");
  for (const std::string& entry : {dir_ / "empty", dir_.path(), dir_ / "missing", std::string()}) {
    controls_.AddWorkbookRow("stale.xls", true);
    controls_.AddWorksheetRow("kept", false);
    EXPECT_TRUE(List(entry).empty()) << entry;
    EXPECT_EQ(controls_.SelectedWorkbookRow(), 0);
  }
  EXPECT_EQ(controls_.WorksheetRowCount(), 4) << "the worksheet list is not touched";
  EXPECT_TRUE(controls_.messages().empty());
}

TEST_F(ListWorkbooksTest, ClearsTheSheetSelectionTable) {
  state_.table().Set(1, 1, "Jan", true);
  state_.SetCurrentWorkbookIndex(1);
  List(dir_.MakeFile("a.xls"));
  EXPECT_FALSE(state_.table().IsRecorded(1));
  EXPECT_EQ(state_.CurrentWorkbookIndex(), 1) << "clearing keeps the current workbook";
}

}  // namespace
}  // namespace quorvex::catalogue
