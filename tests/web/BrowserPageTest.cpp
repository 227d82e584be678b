// Web pages in headless Chromium (driven by browser_check.py): load, texts, sort, filter, pivot.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "WebPageFixtures.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/HtmlPageWriter.h"
#include "support/TempDir.h"

namespace quorvex::web_test {
namespace {

using sheet::WebPageType;

constexpr int kSkipped = 77;

std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (const char c : argument) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

class BrowserPageTest : public ::testing::Test {
 protected:
  // Writes the page for sheet `position` (or the whole workbook when negative) and returns its path.
  std::string Page(const std::string& name, int position, WebPageType type, bool single_file = false) {
    ScriptedWorkbookReader reader = SalesWorkbook();
    const sheet::numfmt::CellText text(reader.workbook());
    const std::string path = dir_ / name;
    sheet::SaveWebPage(path, single_file, [&](sheet::OutputStream& out) {
      if (position < 0) {
        sheet::WriteWorkbookPage(reader, text, "Sales & <Co>", out);
      } else {
        sheet::WriteSheetPage(reader, text, static_cast<std::size_t>(position), "Sales_<b>", type, out);
      }
    });
    return path;
  }

  // Runs one check of browser_check.py; skips the test when no browser is installed.
  void Check(const std::string& page, const std::vector<std::string>& check) {
    std::string command =
        "python3 " + Quoted(std::string(QUORVEX_WEB_TESTS_DIR) + "/browser_check.py") + " " + Quoted(page);
    for (const std::string& argument : check) command += " " + Quoted(argument);
    command += " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
    const int status = ::pclose(pipe);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == kSkipped) GTEST_SKIP() << output;
    EXPECT_EQ(code, 0) << output;
  }

  testing::TempDir dir_;
};

TEST_F(BrowserPageTest, StaticPageShowsStyledCellTextsAndHostileTextAsText) {
  const std::string page = Page("styled.htm", 1, WebPageType::kStatic);
  Check(page,
        {"load", "Quarterly report", "Amount", "1,234.50", "-7.00", "<script>alert(1)</script>\"'&amp;"});
}

TEST_F(BrowserPageTest, WholeWorkbookPageSwitchesSheetsByTab) {
  const std::string page = Page("book.htm", -1, WebPageType::kStatic);
  Check(page, {"load", "Region", "Styled <Report> & \"Co\""});
  Check(page, {"tabs", "Styled <Report> & \"Co\"", "Quarterly report", "Sales", "Apples"});
}

TEST_F(BrowserPageTest, SingleFilePagesOpenWithTheirTexts) {
  Check(Page("styled.mht", 1, WebPageType::kStatic, true), {"load", "Quarterly report", "1,234.50"});
  const std::string book = Page("book.mhtml", -1, WebPageType::kStatic, true);
  Check(book, {"load", "Region", "Apples"});
  Check(book, {"tabs", "Styled <Report> & \"Co\"", "Amount"});
}

TEST_F(BrowserPageTest, SpreadsheetPageSortsByClickedColumnKeepingTheHeaderRow) {
  const std::string page = Page("sales.htm", 0, WebPageType::kSpreadsheet);
  Check(page, {"sort", "2", "2", "Units|3|4|5|7|10", "Units|10|7|5|4|3"});
  Check(page,
        {"sort", "0", "0", "Region|East|North|North|South|South", "Region|South|South|North|North|East"});
}

TEST_F(BrowserPageTest, SpreadsheetPageShowsFormulasFiltersAndFinds) {
  const std::string page = Page("sales.htm", 0, WebPageType::kSpreadsheet);
  Check(page, {"formula", "E3", "=C3*D3"});
  Check(page, {"formula", "A2", "North"});
  Check(page, {"filter", "north", "3"});
  Check(page, {"find", "pears", "B4", "B5", "B6", "B4"});
  Check(page, {"find", "D4", "E4"});  // formulas are searched too
}

TEST_F(BrowserPageTest, PivotPageTotalsTheChosenFields) {
  const std::string page = Page("pivot.htm", 0, WebPageType::kPivotTable);
  Check(page, {"pivot", "Region", "Product", "Units", "Sum",
               R"([["Sum of Units","Apples","Pears","Total"],["East","","3","3"],["North","10","7","17"],)"
               R"(["South","4","5","9"],["Total","14","15","29"]])"});
  Check(page, {"pivot", "Product", "(none)", "Price", "Average",
               R"([["Average of Price","Total"],["Apples","1.5"],["Pears","2"],["Total","1.8"]])"});
  Check(page, {"pivot", "Region", "(none)", "Product", "Count",
               R"([["Count of Product","Total"],["East","1"],["North","2"],["South","2"],["Total","5"]])"});
}

}  // namespace
}  // namespace quorvex::web_test
