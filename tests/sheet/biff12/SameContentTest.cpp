// The same workbooks saved as .xlsx, .xls (BIFF8 and BIFF5) and .xlsb read the same: the same
// sheets, and byte-identical CSV for every worksheet.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sheet/WorkbookOpener.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/SheetSaver.h"

namespace quorvex::sheet {
namespace {

namespace fs = std::filesystem;

struct Form {
  const char* workbook;  // fixture name without extension
  const char* file;      // the other form, under tests/fixtures/legacy/
  // What the writing application could not keep, so the .xlsx's output is adjusted to match:
  const char* chart_as_worksheet = "";  // a chart sheet it saved as an empty worksheet
  const char* text_before = "";         // a text it saved differently...
  const char* text_after = "";          // ...as this
};

void PrintTo(const Form& form, std::ostream* out) {
  *out << form.file;
}

// LibreOffice and SheetJS write no chart sheets, and LibreOffice turns a CR LF inside a cell
// into LF. SheetJS drops the blanks that carry only a style (Padded!A1 and E6), so the .xlsb's
// used range of that sheet is narrower. BIFF5 forms exist only for workbooks whose text fits the
// Windows-1252 code page.
const Form kForms[] = {
    {"TextCells", "TextCells.xls", "", "one\r\ntwo", "one\ntwo"},
    {"TextCells", "TextCells.xlsb"},
    {"NumberFormats", "NumberFormats.xls"},
    {"NumberFormats", "NumberFormats95.xls"},
    {"NumberFormats", "NumberFormats.xlsb"},
    {"Dates1900", "Dates1900.xls"},
    {"Dates1900", "Dates190095.xls"},
    {"Dates1900", "Dates1900.xlsb"},
    {"Dates1904", "Dates1904.xls"},
    {"Dates1904", "Dates190495.xls"},
    {"Dates1904", "Dates1904.xlsb"},
    {"Formulas", "Formulas.xls"},
    {"Formulas", "Formulas95.xls"},
    {"Formulas", "Formulas.xlsb"},
    {"Layout", "Layout.xls", "Chart"},
    {"Layout", "Layout.xlsb", "Chart", "Padded|0|0\n,,,,\r\n,,,,\r\nx,y,z,,\r\n1,2,3,,\r\n,,,,\r\n,,,,",
     "Padded|0|0\n,,\r\n,,\r\nx,y,z\r\n1,2,3\r\n,,\r\n,,"},
    {"InlineStrings", "InlineStrings.xls"},
    {"InlineStrings", "InlineStrings.xlsb"},
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

/// Every sheet as "name|kind|hidden" followed by its CSV bytes (empty for non-worksheets).
std::vector<std::string> Describe(const fs::path& path, const fs::path& scratch) {
  auto reader = OpenWorkbookFile(path.string());
  const Workbook& workbook = reader->workbook();
  const numfmt::CellText text(workbook);
  std::vector<std::string> sheets;
  for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
    const SheetInfo& sheet = workbook.sheets[i];
    std::string entry = sheet.name + "|" + std::to_string(static_cast<int>(sheet.kind)) + "|" +
                        std::to_string(sheet.hidden) + "\n";
    if (sheet.kind == SheetKind::kWorksheet) {
      const fs::path csv = scratch / (std::to_string(i) + ".csv");
      SaveDelimited(*reader, text, i, csv.string(), ',');
      entry += ReadFile(csv);
    }
    sheets.push_back(entry);
  }
  sheets.push_back("date1904=" + std::to_string(workbook.date1904) +
                   " active=" + workbook.sheets[workbook.active_sheet].name);
  return sheets;
}

class SameContent : public ::testing::TestWithParam<Form> {};

TEST_P(SameContent, WritesTheSameCsvAsTheXlsx) {
  const Form& form = GetParam();
  const fs::path fixtures(QUORVEX_FIXTURES_DIR);
  const fs::path scratch = fs::temp_directory_path() / ("quorvex-same-" + std::string(form.file));
  fs::create_directories(scratch);
  auto expected = Describe(fixtures / (std::string(form.workbook) + ".xlsx"), scratch);
  for (std::string& sheet : expected) {
    if (sheet == std::string(form.chart_as_worksheet) + "|1|0\n")
      sheet = std::string(form.chart_as_worksheet) + "|0|0\n";
    if (const std::size_t at = sheet.find(form.text_before);
        *form.text_before != '\0' && at != std::string::npos) {
      sheet.replace(at, std::string_view(form.text_before).size(), form.text_after);
    }
  }
  const auto actual = Describe(fixtures / "legacy" / form.file, scratch);
  fs::remove_all(scratch);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << "sheet " << i;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SameContent, ::testing::ValuesIn(kForms));

}  // namespace
}  // namespace quorvex::sheet
