// XML Spreadsheet files of the fixtures read by LibreOffice and Gnumeric, compared with our CSV.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "sheet/WorkbookOpener.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/SheetSaver.h"
#include "sheet/writers/XmlSpreadsheetWriter.h"
#include "support/TempDir.h"

namespace quorvex::web_test {
namespace {

constexpr int kSkipped = 77;

// Writes BOOK.xml and BOOK/SHEET.csv for every fixture workbook into `folder`.
void WriteFixtureOutputs(const std::string& folder) {
  for (const char* book :
       {"TextCells", "NumberFormats", "Dates1900", "Dates1904", "Formulas", "Layout", "InlineStrings"}) {
    auto reader = sheet::OpenWorkbookFile(std::string(QUORVEX_FIXTURES_DIR) + "/" + book + ".xlsx");
    const sheet::numfmt::CellText text(reader->workbook());
    sheet::SaveXmlSpreadsheet(*reader, text, folder + "/" + book + ".xml");
    std::filesystem::create_directories(folder + "/" + book);
    for (const std::size_t position : reader->workbook().WorksheetPositions()) {
      const std::string& name = reader->workbook().sheets[position].name;
      sheet::SaveDelimited(*reader, text, position, folder + "/" + book + "/" + name + ".csv", ',');
    }
  }
}

void RoundTrip(const std::string& program) {
  testing::TempDir dir;
  WriteFixtureOutputs(dir.path());
  const std::string command = "python3 '" + std::string(QUORVEX_WEB_TESTS_DIR) +
                              "/spreadsheet_roundtrip.py' " + program + " '" + dir.path() + "' 2>&1";
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

TEST(XmlSpreadsheetInterop, LibreOfficeReadsTheSameTextsAsTheEngineWrites) {
  RoundTrip("soffice");
}

TEST(XmlSpreadsheetInterop, GnumericReadsTheSameTextsAsTheEngineWrites) {
  RoundTrip("ssconvert");
}

}  // namespace
}  // namespace quorvex::web_test
