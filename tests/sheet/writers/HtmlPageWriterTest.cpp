// Tests of whole web pages: sheets, workbooks with tabs, page types and hostile names.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "ScriptedWorkbookReader.h"
#include "sheet/model/SheetError.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/HtmlPageWriter.h"

namespace quorvex::sheet {
namespace {

using test_support::Number;
using test_support::ScriptedSheet;
using test_support::ScriptedWorkbookReader;
using test_support::Text;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string SheetPage(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                      const std::string& title, WebPageType type) {
  StringOutput out;
  WriteSheetPage(reader, text, position, title, type, out);
  return out.str();
}

std::string WorkbookPage(WorkbookReader& reader, const numfmt::CellText& text, const std::string& title) {
  StringOutput out;
  WriteWorkbookPage(reader, text, title, out);
  return out.str();
}

TEST(HtmlPageWriter, StaticPageIsUtf8Html5WithEscapedTitleAndNoScript) {
  ScriptedWorkbookReader reader({ScriptedSheet{"S", {Text(0, 0, "\xC3\xA9t\xC3\xA9")}, {}, {}, {}}});
  const numfmt::CellText text(reader.workbook());
  const std::string page = SheetPage(reader, text, 0, "Q1_<b>\"Sales\"</b>", WebPageType::kStatic);
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">", 0), 0u);
  EXPECT_TRUE(Has(page, "<title>Q1_&lt;b&gt;&quot;Sales&quot;&lt;/b&gt;</title>"));
  EXPECT_TRUE(Has(page, "<h1 class=\"q-title\">Q1_&lt;b&gt;"));
  EXPECT_TRUE(Has(page, ">\xC3\xA9t\xC3\xA9</td>"));
  EXPECT_FALSE(Has(page, "<script"));
  EXPECT_FALSE(Has(page, "http://"));
  EXPECT_FALSE(Has(page, "https://"));
}

TEST(HtmlPageWriter, WriteFailingMidwayIsReportedAndLeavesNoFile) {
  // A file size limit makes the write fail after the first megabyte of the page.
  std::vector<test_support::ScriptedCell> cells;
  for (std::uint32_t row = 0; row < 40000; ++row)
    cells.push_back(Text(row, 0, "text of row " + std::to_string(row)));
  ScriptedWorkbookReader reader({ScriptedSheet{"S", cells, {}, {}, {}}});
  const numfmt::CellText text(reader.workbook());
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("quorvex-fail-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (const bool single_file : {false, true}) {
    const std::string path = (dir / (single_file ? "page.mht" : "page.htm")).string();
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = 1 << 20;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    try {
      SaveWebPage(path, single_file,
                  [&](OutputStream& out) { WriteSheetPage(reader, text, 0, "", WebPageType::kStatic, out); });
      ADD_FAILURE() << "no error";
    } catch (const SheetError& error) {
      EXPECT_EQ(error.code(), SheetErrorCode::kIo);
    }
    ::setrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, old_handler);
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << "a file was left behind";
  }
  std::filesystem::remove_all(dir);
}

TEST(HtmlPageWriter, EmptyTitleGivesNoHeading) {
  ScriptedWorkbookReader reader({ScriptedSheet{"S", {Text(0, 0, "a")}, {}, {}, {}}});
  const numfmt::CellText text(reader.workbook());
  const std::string page = SheetPage(reader, text, 0, "", WebPageType::kStatic);
  EXPECT_TRUE(Has(page, "<title></title>"));
  EXPECT_FALSE(Has(page, "<h1"));
}

TEST(HtmlPageWriter, InteractivePagesEmbedTheirScriptAndControls) {
  ScriptedWorkbookReader reader({ScriptedSheet{"S", {Text(0, 0, "Region"), Number(1, 0, 4)}, {}, {}, {}}});
  const numfmt::CellText text(reader.workbook());
  const std::string spreadsheet = SheetPage(reader, text, 0, "", WebPageType::kSpreadsheet);
  EXPECT_TRUE(Has(spreadsheet, "id=\"q-formula\""));
  EXPECT_TRUE(Has(spreadsheet, "id=\"q-filter\""));
  EXPECT_TRUE(Has(spreadsheet, "id=\"q-find\""));
  EXPECT_TRUE(Has(spreadsheet, "id=\"q-header-row\" checked")) << "a text first row reads as headings";
  EXPECT_TRUE(Has(spreadsheet, "function sortBy("));
  const std::string pivot = SheetPage(reader, text, 0, "", WebPageType::kPivotTable);
  EXPECT_TRUE(Has(pivot, "id=\"q-pivot-rows\""));
  EXPECT_TRUE(Has(pivot, "<option value=\"average\">Average</option>"));
  EXPECT_FALSE(Has(pivot, "function sortBy("));
}

TEST(HtmlPageWriter, WorkbookPageHasATabPerVisibleWorksheetAndOpensTheActiveOne) {
  ScriptedSheet first{"First & <Best>", {Text(0, 0, "one")}, {}, {}, {}};
  ScriptedSheet secret{"Secret", {Text(0, 0, "hidden text")}, {}, {}, {}};
  secret.hidden = true;
  ScriptedSheet third{"Third", {Text(0, 0, "three")}, {}, {}, {}};
  ScriptedWorkbookReader reader({first, secret, third});
  reader.mutable_workbook().active_sheet = 2;
  const numfmt::CellText text(reader.workbook());
  const std::string page = WorkbookPage(reader, text, "Book");
  EXPECT_TRUE(
      Has(page, "<details name=\"q-sheets\" class=\"q-panel\"><summary>First &amp; &lt;Best&gt;</summary>"));
  EXPECT_TRUE(Has(page, "<details name=\"q-sheets\" class=\"q-panel\" open><summary>Third</summary>"));
  EXPECT_FALSE(Has(page, "hidden text"));
  EXPECT_FALSE(Has(page, "<script"));
  EXPECT_LT(page.find(">one<"), page.find(">three<"));
}

}  // namespace
}  // namespace quorvex::sheet
