// Tests of the CSV and TXT exporter and the exporter frame it runs in, against the fake application.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/ExportDelimited.h"
#include "support/ExporterTest.h"
#include "support/RecordingControls.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using Calls = std::vector<std::string>;
using Message = RecordingControls::Message;
using testing::FakeSheet;

class ExportDelimitedTest : public testing::ExporterTest {
 protected:
  void SetUp() override { PrepareWorkbookRow("Book.xlsx", 0, "/out/Book"); }

  ExportResult Export(int row = 1) { return ExportDelimited(context_, row); }
};

TEST_F(ExportDelimitedTest, SavesEachWorksheetAsCsvInFrameOrder) {
  excel_.AddWorkbook(book_, {"Jan", "Feb"});
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_EQ(
      excel_.calls(),
      (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")", "DisplayAlerts=False",
             "Worksheets.count", "Worksheets(1).name", "Worksheets(1).Select", "SaveAs(/out/Book/Jan.csv, 6)",
             "Worksheets(2).name", "Worksheets(2).Select", "SaveAs(/out/Book/Feb.csv, 6)", "Close", "Quit"}));
  EXPECT_EQ(controls_.progress_max(), 2);
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 2, 0}));
  EXPECT_TRUE(controls_.messages().empty());
}

TEST_F(ExportDelimitedTest, EveryOtherFormatIndexWritesText) {
  excel_.AddWorkbook(book_, {"Jan"});
  for (const int format : {1, 4, -1}) {
    excel_.ClearCalls();
    controls_.SetFormatIndex(format);
    EXPECT_EQ(Export(), ExportResult::kDone);
    EXPECT_TRUE(Called("SaveAs(/out/Book/Jan.txt, -4158)")) << format;
  }
}

TEST_F(ExportDelimitedTest, SelectsAmongWorksheetsSoChartSheetsCannotShiftNames) {
  excel_.AddWorkbookSheets(book_, {FakeSheet{"Chart1", false}, FakeSheet{"Data", true}});
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_TRUE(Called("Worksheets(1).Select"));
  EXPECT_FALSE(Called("Sheets(1).Select"));
  EXPECT_TRUE(Called("SaveAs(/out/Book/Data.csv, 6)"));
}

TEST_F(ExportDelimitedTest, RecordedColumnExportsOnlyTickedSheetsUnderTheirRecordedNames) {
  excel_.AddWorkbook(book_, {"One", "Two", "Three"});
  state_.table().Set(1, 1, "Alpha", true);
  state_.table().Set(1, 2, "Beta", false);
  state_.table().Set(1, 3, "Gamma", true);
  controls_.SetNamingMode(2);
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_EQ(excel_.CallsWithoutReads(),
            (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")", "DisplayAlerts=False",
                   "Worksheets(1).Select", "SaveAs(/out/Book/1.csv, 6)", "Worksheets(3).Select",
                   "SaveAs(/out/Book/2.csv, 6)", "Close", "Quit"}));
  EXPECT_FALSE(Called("Worksheets(1).name"));
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 2, 3, 0}));
}

TEST_F(ExportDelimitedTest, AllUntickedColumnWritesNothingYetSucceeds) {
  excel_.AddWorkbook(book_, {"One", "Two"});
  state_.table().Set(1, 1, "One", false);
  state_.table().Set(1, 2, "Two", false);
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_FALSE(Called("SaveAs(/out/Book/One.csv, 6)"));
  EXPECT_FALSE(Called("SaveAs(/out/Book/Two.csv, 6)"));
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 2, 0}));
}

TEST_F(ExportDelimitedTest, WorkbookWithoutWorksheetsLeavesTheBarAlone) {
  excel_.AddWorkbookSheets(book_, {FakeSheet{"Chart1", false}});
  controls_.SetProgressMax(9);
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_EQ(controls_.progress_max(), 9);
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{0}));
  EXPECT_EQ(excel_.CallsWithoutReads().size(), 5u) << "create, open, alerts, close, quit";
}

TEST_F(ExportDelimitedTest, SheetsAboveFiveThousandAreExportedWhateverTheTable) {
  excel_.AddNumberedWorkbook(book_, 5002);
  for (int sheet = 1; sheet <= 5000; ++sheet) {
    state_.table().Set(1, sheet, std::to_string(sheet), false);
  }
  EXPECT_EQ(Export(), ExportResult::kDone);
  const Calls saves = [&] {
    Calls found;
    for (const std::string& call : excel_.calls()) {
      if (call.starts_with("SaveAs(")) {
        found.push_back(call);
      }
    }
    return found;
  }();
  EXPECT_EQ(saves, (Calls{"SaveAs(/out/Book/Sheet5001.csv, 6)", "SaveAs(/out/Book/Sheet5002.csv, 6)"}));
}

TEST_F(ExportDelimitedTest, SuccessResetsTheSequenceCounter) {
  excel_.AddWorkbook(book_, {"a", "b"});
  controls_.SetNamingMode(2);
  state_.SetSequenceCounter(7);
  EXPECT_EQ(Export(), ExportResult::kDone);
  EXPECT_TRUE(Called("SaveAs(/out/Book/8.csv, 6)"));
  EXPECT_TRUE(Called("SaveAs(/out/Book/9.csv, 6)"));
  EXPECT_EQ(state_.SequenceCounter(), 0);
}

TEST_F(ExportDelimitedTest, SaveFailureShowsDescriptionThenClosesAndQuits) {
  excel_.AddWorkbook(book_, {"a", "b", "c"});
  excel_.FailOn("SaveAs(/out/Book/2.csv, 6)", "Cannot access '2.csv'.");
  controls_.SetNamingMode(2);
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_EQ(controls_.messages(), (std::vector<Message>{{"Cannot access '2.csv'.", MessageIcon::kNone}}));
  const Calls& calls = excel_.calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"SaveAs(/out/Book/2.csv, 6)", "Close", "Quit"}));
  EXPECT_FALSE(Called("Worksheets(3).Select")) << "later sheets are not processed";
  EXPECT_EQ(state_.SequenceCounter(), 2) << "not reset after a failure";
  EXPECT_EQ(controls_.progress_value(), 1) << "the bar is left where it stopped";
}

TEST_F(ExportDelimitedTest, OpenFailureQuitsWithoutClosing) {
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_EQ(excel_.calls(), (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")", "Quit"}));
  ASSERT_EQ(controls_.messages().size(), 1u);
  EXPECT_EQ(controls_.messages()[0].icon, MessageIcon::kNone);
  EXPECT_NE(controls_.messages()[0].text.find("could not be found"), std::string::npos);
}

TEST_F(ExportDelimitedTest, CreationFailureShowsItsDescriptionOnly) {
  excel_.FailCreation("Cannot create the application.");
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_EQ(controls_.messages(),
            (std::vector<Message>{{"Cannot create the application.", MessageIcon::kNone}}));
  EXPECT_EQ(excel_.calls(), (Calls{"Create(Excel.Application)"}));
}

TEST_F(ExportDelimitedTest, FailingCloseStillQuitsOnce) {
  excel_.AddWorkbook(book_, {"a"});
  excel_.FailOn("Close", "Close failed.");
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_EQ(std::count(excel_.calls().begin(), excel_.calls().end(), "Close"), 1);
  EXPECT_EQ(excel_.quits(), 1);
  EXPECT_EQ(controls_.messages(), (std::vector<Message>{{"Close failed.", MessageIcon::kNone}}));
}

TEST_F(ExportDelimitedTest, RowBeyondTheTableFailsOnTheFirstSheet) {
  excel_.AddWorkbook(book_, {"a"});
  for (int row = 2; row <= 501; ++row) {
    controls_.AddWorkbookRow("Book.xlsx", true);
  }
  EXPECT_EQ(Export(501), ExportResult::kFailed);
  ASSERT_EQ(controls_.messages().size(), 1u);
  EXPECT_NE(controls_.messages()[0].text.find("501"), std::string::npos) << controls_.messages()[0].text;
  EXPECT_FALSE(Called("Worksheets(1).Select"));
  EXPECT_EQ(Calls(excel_.calls().end() - 2, excel_.calls().end()), (Calls{"Close", "Quit"}));
}

TEST_F(ExportDelimitedTest, MoreWorksheetsThanTheSheetCounterHoldsFailsBeforeAnySheet) {
  excel_.AddNumberedWorkbook(book_, 32768);
  EXPECT_EQ(Export(), ExportResult::kFailed);
  EXPECT_FALSE(Called("Worksheets(1).name"));
  ASSERT_EQ(controls_.messages().size(), 1u);
  EXPECT_NE(controls_.messages()[0].text.find("32767"), std::string::npos);
  EXPECT_EQ(excel_.quits(), 1);
  // The bar's maximum is set from the count before the sheet loop fails; no value is set.
  EXPECT_EQ(controls_.progress_max(), 32768);
  EXPECT_TRUE(controls_.progress_value_history().empty());
}

TEST_F(ExportDelimitedTest, UnresolvedPathStartsNothing) {
  controls_.SetSelectedInputEntry(dir_ / "elsewhere");
  EXPECT_EQ(Export(), ExportResult::kNoWorkbookPath);
  controls_.SetSelectedInputEntry(dir_.path());
  controls_.ClearWorkbookRows();
  controls_.AddWorkbookRow("Missing.xlsx", true);
  EXPECT_EQ(Export(), ExportResult::kNoWorkbookPath);
  EXPECT_TRUE(excel_.calls().empty());
  EXPECT_TRUE(controls_.messages().empty());
}

}  // namespace
}  // namespace quorvex::engine
