// The quorvex executable writing web pages and XML Spreadsheet files from fixture workbooks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace quorvex::web_test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CommandLineWebTest : public ::testing::Test {
 protected:
  int Convert(const std::string& options, const std::string& fixture) {
    const std::string command = std::string(QUORVEX_CLI) + " convert -q " + options + " -o '" + dir_.path() +
                                "/out' '" + QUORVEX_FIXTURES_DIR + "/" + fixture + "' > /dev/null 2>&1";
    return std::system(command.c_str());
  }
  fs::path Out(const std::string& relative) const { return fs::path(dir_.path()) / "out" / relative; }

  testing::TempDir dir_;
};

TEST_F(CommandLineWebTest, WholeWorkbookPageIsOneFileBesideNoFolder) {
  ASSERT_EQ(Convert("-f html --web-mode workbook", "Layout.xlsx"), 0);
  const std::string page = ReadFile(Out("Layout.htm"));
  EXPECT_NE(page.find("<summary>Sales Data</summary>"), std::string::npos);
  EXPECT_NE(page.find("<summary>Empty</summary>"), std::string::npos);
  EXPECT_FALSE(fs::exists(Out("Layout")));
}

TEST_F(CommandLineWebTest, PerSheetSingleFilePagesTakeTitleTypeAndLongExtension) {
  ASSERT_EQ(Convert("-f mht --html-type spreadsheet --title workbook-sheet --extension long", "Layout.xlsx"),
            0);
  std::string archive = ReadFile(Out("Layout/Sales Data.mhtml"));
  // Undo the quoted-printable soft line breaks before looking for text.
  for (std::size_t at; (at = archive.find("=\r\n")) != std::string::npos;) archive.erase(at, 3);
  EXPECT_NE(archive.find("<title>Layout_Sales Data</title>"), std::string::npos);
  EXPECT_NE(archive.find("q-formula"), std::string::npos);
  EXPECT_TRUE(fs::exists(Out("Layout/Gaps.mhtml")));
  EXPECT_FALSE(fs::exists(Out("Layout/Chart.mhtml")));
}

TEST_F(CommandLineWebTest, PivotPagesPerSheet) {
  ASSERT_EQ(Convert("-f html --html-type pivot", "Layout.xlsx"), 0);
  const std::string page = ReadFile(Out("Layout/Offset.htm"));
  EXPECT_NE(page.find("id=\"q-pivot-rows\""), std::string::npos);
  EXPECT_NE(page.find("<title></title>"), std::string::npos);
}

TEST_F(CommandLineWebTest, XmlSpreadsheetCarriesFormulasOfTheWorkbook) {
  ASSERT_EQ(Convert("-f xml", "Formulas.xlsx"), 0);
  const std::string xml = ReadFile(Out("Formulas.xml"));
  EXPECT_NE(xml.find("<Worksheet ss:Name=\"Inputs\">"), std::string::npos);
  EXPECT_NE(xml.find("ss:Formula=\"=PI()\""), std::string::npos);
}

}  // namespace
}  // namespace quorvex::web_test
