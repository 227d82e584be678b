// Tests of the sheet selection table and of capturing the worksheet list into it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/CaptureSheetSelection.h"
#include "engine/SheetSelectionTable.h"
#include "support/RecordingControls.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

TEST(SheetSelectionTable, UnwrittenCellsReadEmpty) {
  SheetSelectionTable table;
  EXPECT_EQ(table.Name(0, 0), "");
  EXPECT_EQ(table.Name(500, 5000), "");
  EXPECT_FALSE(table.Ticked(500, 5000));
  EXPECT_FALSE(table.IsRecorded(1));
  table.Set(3, 2, "Feb", true);
  EXPECT_EQ(table.Name(3, 1), "");
  EXPECT_EQ(table.Name(3, 3), "");
  EXPECT_EQ(table.Name(4, 2), "");
}

TEST(SheetSelectionTable, ColumnIsRecordedWhenSheetOneHasAName) {
  SheetSelectionTable table;
  table.Set(7, 1, "Jan", false);
  EXPECT_TRUE(table.IsRecorded(7));
  EXPECT_FALSE(table.Ticked(7, 1));
  table.Set(7, 1, "Jan", true);
  EXPECT_TRUE(table.Ticked(7, 1));
  EXPECT_EQ(table.Name(7, 1), "Jan");
}

TEST(SheetSelectionTable, RejectsIndicesOutsideItsBounds) {
  SheetSelectionTable table;
  const std::pair<int, int> outside[] = {{501, 1}, {-1, 1}, {1, 5001}, {1, -1}};
  for (const auto& [workbook, sheet] : outside) {
    EXPECT_THROW(table.Name(workbook, sheet), std::out_of_range) << workbook << "," << sheet;
    EXPECT_THROW(table.Ticked(workbook, sheet), std::out_of_range) << workbook << "," << sheet;
    EXPECT_THROW(table.Set(workbook, sheet, "x", true), std::out_of_range) << workbook << "," << sheet;
  }
  try {
    table.IsRecorded(501);
    FAIL() << "no error for workbook 501";
  } catch (const std::out_of_range& error) {
    EXPECT_NE(std::string(error.what()).find("501"), std::string::npos) << error.what();
  }
}

TEST(SheetSelectionTable, ClearForgetsEverything) {
  SheetSelectionTable table;
  table.Set(1, 1, "A", true);
  table.Set(500, 5000, "Z", true);
  table.Clear();
  EXPECT_EQ(table.Name(500, 5000), "");
  EXPECT_FALSE(table.Ticked(500, 5000));
  EXPECT_FALSE(table.IsRecorded(1));
}

class CaptureSheetSelectionTest : public ::testing::Test {
 protected:
  EngineState state_;
  RecordingControls controls_;
};

TEST_F(CaptureSheetSelectionTest, StoresRowsAndTicksUnderTheCurrentWorkbook) {
  state_.SetCurrentWorkbookIndex(4);
  controls_.AddWorksheetRow("Jan", true);
  controls_.AddWorksheetRow("Feb", false);
  CaptureSheetSelection(state_, controls_);
  const SheetSelectionTable& table = state_.table();
  EXPECT_EQ(table.Name(4, 1), "Jan");
  EXPECT_TRUE(table.Ticked(4, 1));
  EXPECT_EQ(table.Name(4, 2), "Feb");
  EXPECT_FALSE(table.Ticked(4, 2));
  EXPECT_FALSE(table.IsRecorded(3));
}

TEST_F(CaptureSheetSelectionTest, LeavesCellsBelowTheListAlone) {
  state_.SetCurrentWorkbookIndex(1);
  state_.table().Set(1, 3, "Old", true);
  controls_.AddWorksheetRow("New", false);
  CaptureSheetSelection(state_, controls_);
  EXPECT_EQ(state_.table().Name(1, 1), "New");
  EXPECT_EQ(state_.table().Name(1, 3), "Old");
  EXPECT_TRUE(state_.table().Ticked(1, 3));
}

TEST_F(CaptureSheetSelectionTest, AllUntickedListRecordsNamesWithoutTicks) {
  state_.SetCurrentWorkbookIndex(2);
  controls_.AddWorksheetRow("A", false);
  controls_.AddWorksheetRow("B", false);
  CaptureSheetSelection(state_, controls_);
  EXPECT_TRUE(state_.table().IsRecorded(2));
  EXPECT_FALSE(state_.table().Ticked(2, 1));
  EXPECT_FALSE(state_.table().Ticked(2, 2));
}

TEST_F(CaptureSheetSelectionTest, PassesOverRowsAboveFiveThousand) {
  state_.SetCurrentWorkbookIndex(1);
  for (int i = 1; i <= 5001; ++i) {
    controls_.AddWorksheetRow(std::to_string(i), i != 5000);
  }
  CaptureSheetSelection(state_, controls_);
  EXPECT_EQ(state_.table().Name(1, 5000), "5000");
  EXPECT_FALSE(state_.table().Ticked(1, 5000));
  EXPECT_EQ(state_.table().Name(1, 4999), "4999");
}

}  // namespace
}  // namespace quorvex::engine
