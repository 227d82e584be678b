// Tests of the dBASE exporter against the recording fake application.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/ExportDbf.h"
#include "support/ExporterTest.h"
#include "support/RecordingControls.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using Calls = std::vector<std::string>;
using Message = RecordingControls::Message;
using testing::FakeSheet;

FakeSheet Sheet(const std::string& name, int rows, int columns, automation::Variant top_left = {}) {
  FakeSheet sheet{name};
  sheet.used_rows = rows;
  sheet.used_columns = columns;
  sheet.top_left = top_left;
  return sheet;
}

automation::Variant Text(const std::string& text) {
  return {automation::Variant::Kind::kString, 0, text};
}

class ExportDbfTest : public testing::ExporterTest {
 protected:
  void SetUp() override { PrepareWorkbookRow("Book.xlsx", 5, "/out/Book"); }

  ExportResult Export() { return ExportDbf(context_, 1); }

  Calls Saves() const {
    Calls saves;
    for (const std::string& call : excel_.calls()) {
      if (call.find("SaveAs(") != std::string::npos) saves.push_back(call);
    }
    return saves;
  }
};

TEST_F(ExportDbfTest, PreparesAndSavesEachSheetInOrder) {
  excel_.AddWorkbookSheets(book_, {Sheet("Data", 10, 3)});
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_EQ(excel_.calls(),
            (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")", "DisplayAlerts=False",
                   "Worksheets.count", "Worksheets(1).name", "Worksheets(1)", "Worksheets(1).Activate",
                   "Worksheets(1).UsedRange.Rows.count", "Worksheets(1).UsedRange.Columns.count",
                   "Worksheets(1).Cells(1, 1)", "Worksheets(1).UsedRange.Cells(1, 1).Address",
                   "Worksheets(1).UsedRange.Cells(10, 3).Address", "Worksheets(1).Columns.AutoFit",
                   "Worksheets(1).Range($R1$C1, $R10$C3).Select",
                   "Worksheets(1).SaveAs(/out/Book/Data.dbf, 11)", "Close", "Quit"}));
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 0}));
  EXPECT_TRUE(controls_.messages().empty());
  EXPECT_FALSE(Called("Sheets(1).Select")) << "the sheet is saved itself, never selected in the workbook";
}

TEST_F(ExportDbfTest, FormatPositionsPickTheirCodesAndAllEndInDbf) {
  excel_.AddWorkbookSheets(book_, {Sheet("S", 2, 2)});
  const std::vector<std::pair<int, std::string>> cases = {{5, "Worksheets(1).SaveAs(/out/Book/S.dbf, 11)"},
                                                          {6, "Worksheets(1).SaveAs(/out/Book/S.dbf, 8)"},
                                                          {7, "Worksheets(1).SaveAs(/out/Book/S.dbf, 7)"}};
  for (const auto& [format, save] : cases) {
    excel_.ClearCalls();
    controls_.SetFormatIndex(format);
    EXPECT_EQ(Export(), ExportResult::kDone);
    EXPECT_EQ(Saves(), Calls{save}) << format;
  }
}

TEST_F(ExportDbfTest, OtherFormatPositionPreparesTheSheetButSavesNothing) {
  excel_.AddWorkbookSheets(book_, {Sheet("S", 2, 2)});
  controls_.SetFormatIndex(8);
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_TRUE(Called("Worksheets(1).Range($R1$C1, $R2$C2).Select"));
  EXPECT_TRUE(Saves().empty());
}

TEST_F(ExportDbfTest, EmptySheetsAreSkippedOnlyWhenTheirOwnTopLeftCellIsEmpty) {
  excel_.AddWorkbookSheets(
      book_, {Sheet("Blank", 1, 1), Sheet("OnlyA1", 1, 1, Text("x")), Sheet("EmptyText", 1, 1, Text("")),
              Sheet("Wide", 1, 2), Sheet("Tall", 2, 1)});
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_EQ(Saves(), (Calls{"Worksheets(2).SaveAs(/out/Book/OnlyA1.dbf, 11)",
                            "Worksheets(4).SaveAs(/out/Book/Wide.dbf, 11)",
                            "Worksheets(5).SaveAs(/out/Book/Tall.dbf, 11)"}));
  EXPECT_FALSE(Called("Worksheets(1).Columns.AutoFit")) << "a skipped sheet is left as it is";
  EXPECT_FALSE(Called("Worksheets(1).UsedRange.Cells(1, 1).Address"));
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 2, 3, 4, 5, 0}));
}

TEST_F(ExportDbfTest, SkippedEmptySheetUsesUpANumberButAnUntickedOneDoesNot) {
  excel_.AddWorkbookSheets(
      book_, {Sheet("A", 3, 3), Sheet("Empty", 1, 1), Sheet("Unticked", 3, 3), Sheet("D", 3, 3)});
  state_.table().Set(1, 1, "A", true);
  state_.table().Set(1, 2, "Empty", true);
  state_.table().Set(1, 3, "Unticked", false);
  state_.table().Set(1, 4, "D", true);
  controls_.SetNamingMode(2);
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_EQ(Saves(), (Calls{"Worksheets(1).SaveAs(/out/Book/1.dbf, 11)",
                            "Worksheets(4).SaveAs(/out/Book/3.dbf, 11)"}));
  EXPECT_FALSE(Called("Worksheets(3)")) << "an unticked sheet is not even fetched";
  EXPECT_EQ(state_.SequenceCounter(), 0);
}

TEST_F(ExportDbfTest, SaveFailureKeepsEarlierFilesShowsTheDescriptionAndStops) {
  excel_.AddWorkbookSheets(book_, {Sheet("One", 2, 2), Sheet("Two", 2, 2), Sheet("Three", 2, 2)});
  excel_.FailOn("Worksheets(2).SaveAs(/out/Book/2.dbf, 11)", "Too many fields for dBASE.");
  controls_.SetNamingMode(2);
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_EQ(controls_.messages(), (std::vector<Message>{{"Too many fields for dBASE.", MessageIcon::kNone}}));
  const Calls& calls = excel_.calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
            (Calls{"Worksheets(2).SaveAs(/out/Book/2.dbf, 11)", "Close", "Quit"}));
  EXPECT_FALSE(Called("Worksheets(3)"));
  EXPECT_EQ(state_.SequenceCounter(), 2) << "not reset after a failure";
  EXPECT_EQ(controls_.progress_value(), 1);
}

TEST_F(ExportDbfTest, FailureWhileReadingTheUsedRangeGoesThroughTheFailurePath) {
  excel_.AddWorkbookSheets(book_, {Sheet("One", 2, 2)});
  excel_.FailOn("Worksheets(1).UsedRange.Rows.count", "Cannot read the sheet.");
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_EQ(controls_.messages(), (std::vector<Message>{{"Cannot read the sheet.", MessageIcon::kNone}}));
  EXPECT_TRUE(Saves().empty());
  EXPECT_EQ(excel_.quits(), 1);
}

TEST_F(ExportDbfTest, UnresolvedPathStartsNothing) {
  controls_.SetSelectedInputEntry(dir_ / "elsewhere");
  EXPECT_EQ(Export(), ExportResult::kNoWorkbookPath);
  EXPECT_TRUE(excel_.calls().empty());
  EXPECT_TRUE(controls_.messages().empty());
}

}  // namespace
}  // namespace quorvex::engine
