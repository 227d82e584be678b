// Tests of the web page and XML Spreadsheet exporters against the recording fake application.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/PublishSheetsWeb.h"
#include "engine/SaveWorkbookWeb.h"
#include "engine/SaveWorkbookXml.h"
#include "support/ExporterTest.h"
#include "support/RecordingControls.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using Calls = std::vector<std::string>;
using Message = RecordingControls::Message;

class WebExportersTest : public testing::ExporterTest {
 protected:
  void SetUp() override {
    PrepareWorkbookRow("Q1.a.xlsx", 2, "/out/Q1a");
    controls_.SetHtmlTypeIndex(0);
    controls_.SetPageTitleIndex(0);
    controls_.SetShortExtension(true);
  }

  // The calls of the log that concern publishing and saving.
  Calls PublishCalls() const {
    Calls calls;
    for (const std::string& call : excel_.calls()) {
      if (call.rfind("PublishObjects", 0) == 0 || call.rfind("SaveAs", 0) == 0) calls.push_back(call);
    }
    return calls;
  }
};

TEST_F(WebExportersTest, PublishesEachSheetThenPublishesAndDeletesInFrameOrder) {
  excel_.AddWorkbook(book_, {"Sales", "Costs"});
  EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kDone);
  EXPECT_EQ(excel_.CallsWithoutReads(),
            (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")", "DisplayAlerts=False",
                   "Worksheets(1).Select", "PublishObjects.Add(1, /out/Q1a/Sales.htm, Sales, -, 0, -, )",
                   "PublishObjects.Publish", "PublishObjects.Delete", "Worksheets(2).Select",
                   "PublishObjects.Add(1, /out/Q1a/Costs.htm, Costs, -, 0, -, )", "PublishObjects.Publish",
                   "PublishObjects.Delete", "Close", "Quit"}));
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 2, 0}));
  EXPECT_TRUE(controls_.messages().empty());
}

TEST_F(WebExportersTest, ExtensionFollowsFormatAndExtensionOption) {
  struct Row {
    int format;
    bool short_extension;
    std::string file;
  };
  const Row rows[] = {{2, true, "/out/Q1a/Sales.htm"},
                      {2, false, "/out/Q1a/Sales.html"},
                      {3, true, "/out/Q1a/Sales.mht"},
                      {3, false, "/out/Q1a/Sales.mhtml"}};
  excel_.AddWorkbook(book_, {"Sales"});
  for (const Row& row : rows) {
    excel_.ClearCalls();
    controls_.SetFormatIndex(row.format);
    controls_.SetShortExtension(row.short_extension);
    EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kDone);
    EXPECT_EQ(PublishCalls().front(), "PublishObjects.Add(1, " + row.file + ", Sales, -, 0, -, )");
  }
}

TEST_F(WebExportersTest, PageTitleFollowsTheTitleChoice) {
  struct Row {
    int title_index;
    std::string title;
  };
  const Row rows[] = {{0, ""}, {1, "Sales"}, {2, "Q1.a"}, {3, "Q1.a_Sales"}, {4, ""}, {-1, ""}};
  excel_.AddWorkbook(book_, {"Sales"});
  for (const Row& row : rows) {
    excel_.ClearCalls();
    controls_.SetPageTitleIndex(row.title_index);
    EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kDone);
    EXPECT_EQ(PublishCalls().front(),
              "PublishObjects.Add(1, /out/Q1a/Sales.htm, Sales, -, 0, -, " + row.title + ")")
        << row.title_index;
  }
}

TEST_F(WebExportersTest, PageTypeCodeFollowsTheHtmlType) {
  excel_.AddWorkbook(book_, {"Sales"});
  for (const int type : {1, 2}) {
    excel_.ClearCalls();
    controls_.SetHtmlTypeIndex(type);
    EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kDone);
    EXPECT_EQ(PublishCalls().front(),
              "PublishObjects.Add(1, /out/Q1a/Sales.htm, Sales, -, " + std::to_string(type) + ", -, )");
  }
}

TEST_F(WebExportersTest, NoHtmlTypeAddsNothingYetPublishesAndDeletesEverySheet) {
  excel_.AddWorkbook(book_, {"Sales", "Costs"});
  for (const int type : {-1, 3}) {
    excel_.ClearCalls();
    controls_.SetHtmlTypeIndex(type);
    EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kDone);
    EXPECT_EQ(PublishCalls(), (Calls{"PublishObjects.Publish", "PublishObjects.Delete",
                                     "PublishObjects.Publish", "PublishObjects.Delete"}));
  }
}

TEST_F(WebExportersTest, UntickedSheetGetsNoPageAndDoesNotAdvanceTheNumbering) {
  excel_.AddWorkbook(book_, {"One", "Two", "Three"});
  state_.table().Set(1, 1, "One", false);
  state_.table().Set(1, 2, "Two", true);
  state_.table().Set(1, 3, "Three", true);
  controls_.SetNamingMode(2);
  controls_.SetPageTitleIndex(1);
  EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kDone);
  EXPECT_EQ(PublishCalls(),
            (Calls{"PublishObjects.Add(1, /out/Q1a/1.htm, Two, -, 0, -, Two)", "PublishObjects.Publish",
                   "PublishObjects.Delete", "PublishObjects.Add(1, /out/Q1a/2.htm, Three, -, 0, -, Three)",
                   "PublishObjects.Publish", "PublishObjects.Delete"}));
  EXPECT_EQ(controls_.progress_value_history(), (std::vector<double>{1, 2, 3, 0}));
  EXPECT_EQ(state_.SequenceCounter(), 0);
}

TEST_F(WebExportersTest, PublishFailureShowsTheErrorClosesAndQuits) {
  excel_.AddWorkbook(book_, {"Sales", "Costs"});
  excel_.FailOn("PublishObjects.Publish", "Publishing failed.");
  EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kFailed);
  EXPECT_EQ(controls_.messages(), (std::vector<Message>{{"Publishing failed.", MessageIcon::kNone}}));
  const Calls calls = excel_.CallsWithoutReads();
  EXPECT_EQ(Calls(calls.end() - 2, calls.end()), (Calls{"Close", "Quit"}));
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "PublishObjects.Delete"), 0);
}

TEST_F(WebExportersTest, UnresolvedWorkbookStartsNothing) {
  controls_.ClearWorkbookRows();
  controls_.AddWorkbookRow("missing.xlsx", true);
  EXPECT_EQ(PublishSheetsWeb(context_, 1), ExportResult::kNoWorkbookPath);
  EXPECT_EQ(SaveWorkbookWeb(context_, 1), ExportResult::kNoWorkbookPath);
  EXPECT_EQ(SaveWorkbookXml(context_, 1), ExportResult::kNoWorkbookPath);
  EXPECT_EQ(excel_.creations(), 0);
  EXPECT_TRUE(controls_.messages().empty());
}

TEST_F(WebExportersTest, WholeWorkbookWebSaveUsesCodeByFormatAndExtensionByOption) {
  struct Row {
    int format;
    bool short_extension;
    std::string call;
  };
  const Row rows[] = {{2, true, "SaveAs(/out/Q1a.htm, 44)"},
                      {2, false, "SaveAs(/out/Q1a.html, 44)"},
                      {3, true, "SaveAs(/out/Q1a.mht, 45)"},
                      {3, false, "SaveAs(/out/Q1a.mhtml, 45)"},
                      {9, true, "SaveAs(/out/Q1a.mht, 45)"}};
  excel_.AddWorkbook(book_, {"Sales"});
  state_.SetWorkbookOutputPath("/out/Q1a");
  for (const Row& row : rows) {
    excel_.ClearCalls();
    controls_.SetFormatIndex(row.format);
    controls_.SetShortExtension(row.short_extension);
    EXPECT_EQ(SaveWorkbookWeb(context_, 1), ExportResult::kDone);
    EXPECT_EQ(excel_.calls(), (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")",
                                     "DisplayAlerts=False", row.call, "Close", "Quit"}));
  }
  EXPECT_TRUE(controls_.progress_value_history().empty());
}

TEST_F(WebExportersTest, XmlSpreadsheetSavesTheWholeWorkbookWhateverTheTicks) {
  excel_.AddWorkbook(book_, {"One", "Two"});
  state_.table().Set(1, 1, "One", false);
  state_.table().Set(1, 2, "Two", false);
  state_.SetSequenceCounter(4);
  EXPECT_EQ(SaveWorkbookXml(context_, 1), ExportResult::kDone);
  EXPECT_EQ(excel_.calls(), (Calls{"Create(Excel.Application)", "Workbooks.Open(" + book_ + ")",
                                   "DisplayAlerts=False", "SaveAs(/out/Q1a.xml, 46)", "Close", "Quit"}));
  EXPECT_EQ(state_.SequenceCounter(), 4);
}

TEST_F(WebExportersTest, WholeWorkbookSaveFailureGoesThroughTheFailurePath) {
  excel_.AddWorkbook(book_, {"One"});
  excel_.FailOn("SaveAs", "Disk full.");
  EXPECT_EQ(SaveWorkbookXml(context_, 1), ExportResult::kFailed);
  EXPECT_EQ(controls_.messages(), (std::vector<Message>{{"Disk full.", MessageIcon::kNone}}));
  const Calls calls = excel_.calls();
  EXPECT_EQ(Calls(calls.end() - 2, calls.end()), (Calls{"Close", "Quit"}));
}

}  // namespace
}  // namespace quorvex::engine
