// The built-in worksheet operations a dBASE save relies on: used range, fitted widths, selection.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "automation/AutomationError.h"
#include "automation/FileFormat.h"
#include "automation/builtin/BuiltinApplication.h"
#include "automation/builtin/BuiltinWorksheet.h"

namespace quorvex::automation {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLayout = QUORVEX_FIXTURES_DIR "/Layout.xlsx";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class BuiltinWorksheetDbf : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    app_ = CreateBuiltinApplication("Excel.Application");
    book_ = &app_->WorkbooksOpen(kLayout);
    app_->SetDisplayAlerts(false);
  }
  void TearDown() override { fs::remove_all(dir_); }

  /// Worksheets: 1 "Sales Data" (A1:B4), 2 "Offset" (B3:D6), 3 "Gaps", 4 "Padded", 5 "Empty".
  Worksheet& Sheet(int index) { return book_->Worksheets(index); }

  // ctest runs the cases of this suite in parallel processes: each needs its own folder.
  const fs::path dir_ = fs::temp_directory_path() / ("quorvex-builtin-dbf-" + std::to_string(::getpid()));
  std::unique_ptr<Application> app_;
  Workbook* book_ = nullptr;
};

TEST_F(BuiltinWorksheetDbf, UsedRangeGivesCountsAndAbsoluteCornerAddresses) {
  Worksheet& offset = Sheet(2);
  EXPECT_EQ(offset.UsedRangeRowsCount(), 4);
  EXPECT_EQ(offset.UsedRangeColumnsCount(), 3);
  EXPECT_EQ(offset.UsedRangeCellAddress(1, 1), "$B$3");
  EXPECT_EQ(offset.UsedRangeCellAddress(4, 3), "$D$6");
  EXPECT_TRUE(offset.Cells(1, 1).EqualsEmptyString()) << "the sheet's own A1, not the range's first cell";
  EXPECT_EQ(offset.Cells(3, 2).text, "Name");
  Worksheet& empty = Sheet(5);
  EXPECT_EQ(empty.UsedRangeRowsCount(), 1);
  EXPECT_EQ(empty.UsedRangeColumnsCount(), 1);
  EXPECT_EQ(empty.UsedRangeCellAddress(1, 1), "$A$1");
}

TEST(BuiltinWorksheet, UsedRangeComesFromTheRecordsAndCellsFromTheirLastRecord) {
  auto app = CreateBuiltinApplication("Excel.Application");
  Workbook& records = app->WorkbooksOpen(QUORVEX_FIXTURES_DIR "/order_range/RangeRecords.xlsx");
  // Worksheet 2 "RowHidden": B2:C3 and a hidden row 7; 10 "ColumnStyled": B2:C3 and a styled F.
  EXPECT_EQ(records.Worksheets(2).UsedRangeCellAddress(records.Worksheets(2).UsedRangeRowsCount(), 2),
            "$C$7");
  EXPECT_EQ(records.Worksheets(10).UsedRangeColumnsCount(), 5);
  EXPECT_EQ(records.Worksheets(10).UsedRangeRowsCount(), 2);
  records.Close();
  Workbook& dimensions = app->WorkbooksOpen(QUORVEX_FIXTURES_DIR "/order_range/HugeDimension.xlsb");
  EXPECT_EQ(dimensions.Worksheets(1).UsedRangeRowsCount(), 1) << "the stored dimension plays no part";
  EXPECT_EQ(dimensions.Worksheets(1).UsedRangeColumnsCount(), 1);
  dimensions.Close();
  // Worksheet 3 "Duplicates" stores A1 twice, its rows out of order.
  Workbook& order = app->WorkbooksOpen(QUORVEX_FIXTURES_DIR "/order_range/CellOrder.xls");
  Worksheet& duplicates = order.Worksheets(3);
  EXPECT_EQ(duplicates.Cells(1, 1).text, "second") << "before the used range is known";
  EXPECT_EQ(duplicates.UsedRangeCellAddress(3, 3), "$C$3");
  EXPECT_EQ(duplicates.Cells(1, 1).text, "second") << "after";
  EXPECT_EQ(duplicates.Cells(3, 2).number, 21);
  order.Close();
}

TEST_F(BuiltinWorksheetDbf, AutoFitMeasuresEveryRowOfTheColumnNotJustTheSelection) {
  Worksheet& sales = Sheet(1);
  sales.RangeSelect("$A$2", "$B$4");
  sales.ColumnsAutoFit();
  sales.SaveAs((dir_ / "fitted.dbf").string(), kDbf4);
  // Field JAN holds "Feb" and "Mar"; the fitted column is as wide as "Month" above the selection.
  const std::string bytes = ReadFile(dir_ / "fitted.dbf");
  ASSERT_GT(bytes.size(), 64u);
  EXPECT_EQ(bytes.substr(32, 3), "JAN");
  EXPECT_EQ(bytes[32 + 16], 5);
}

TEST_F(BuiltinWorksheetDbf, SaveWritesTheSelectionOnly) {
  Worksheet& offset = Sheet(2);
  offset.RangeSelect("$B$3", "$C$5");
  offset.SaveAs((dir_ / "part.dbf").string(), kDbf4);
  const std::string bytes = ReadFile(dir_ / "part.dbf");
  ASSERT_GT(bytes.size(), 32u);
  EXPECT_EQ(bytes[4], 2) << "rows 4 and 5 under the header row 3";
  EXPECT_EQ(bytes[8], 32 + 2 * 32 + 1) << "two fields: columns B and C";
  EXPECT_EQ(bytes.substr(32, 4), "NAME");
  EXPECT_EQ(bytes.substr(64, 5), "SCORE");
}

TEST_F(BuiltinWorksheetDbf, FittedWidthsWidenCharacterFields) {
  Worksheet& sales = Sheet(1);
  sales.SaveAs((dir_ / "unfitted.dbf").string(), kDbf3);
  sales.ColumnsAutoFit();
  sales.SaveAs((dir_ / "fitted.dbf").string(), kDbf3);
  // Field MONTH holds "Jan", "Feb", "Mar"; the fitted column is as wide as its header "Month".
  EXPECT_EQ(ReadFile(dir_ / "unfitted.dbf")[32 + 16], 3);
  EXPECT_EQ(ReadFile(dir_ / "fitted.dbf")[32 + 16], 5);
}

TEST_F(BuiltinWorksheetDbf, EachCodeWritesItsVersion) {
  Worksheet& sales = Sheet(1);
  sales.SaveAs((dir_ / "four.dbf").string(), kDbf4);
  sales.SaveAs((dir_ / "three.dbf").string(), kDbf3);
  sales.SaveAs((dir_ / "two.dbf").string(), kDbf2);
  EXPECT_EQ(ReadFile(dir_ / "four.dbf")[0], 0x03);
  EXPECT_EQ(ReadFile(dir_ / "three.dbf")[0], 0x03);
  EXPECT_EQ(ReadFile(dir_ / "two.dbf")[0], 0x02);
  EXPECT_EQ(ReadFile(dir_ / "two.dbf").size(), 521u + 3 * (1 + 3 + 5) + 1);
}

TEST_F(BuiltinWorksheetDbf, CharactersTheTableCannotHoldAreReplacedWithAWarning) {
  std::vector<std::string> warnings;
  auto app = CreateBuiltinApplication("Excel.Application",
                                      [&](const std::string& text) { warnings.push_back(text); });
  Worksheet& formats = app->WorkbooksOpen(QUORVEX_FIXTURES_DIR "/NumberFormats.xlsx").Worksheets(2);
  app->SetDisplayAlerts(false);
  formats.SaveAs((dir_ / "formats.dbf").string(), kDbf2);
  ASSERT_EQ(warnings.size(), 1u) << "a dBASE II table holds ASCII only, not the euro sign";
  EXPECT_EQ(warnings[0].rfind("Warning: \"NumberFormats.xlsx\": ", 0), 0u) << warnings[0];
  EXPECT_NE(warnings[0].find("of the sheet \"Formats\" that ASCII cannot hold"), std::string::npos)
      << warnings[0];
  EXPECT_NE(warnings[0].find("written as \"?\" in \"formats.dbf\"."), std::string::npos) << warnings[0];
  formats.SaveAs((dir_ / "formats.dbf").string(), kDbf4);
  EXPECT_EQ(warnings.size(), 1u) << "dBASE IV records a code page holding the euro sign";
}

}  // namespace
}  // namespace quorvex::automation
