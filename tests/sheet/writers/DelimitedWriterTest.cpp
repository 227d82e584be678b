// Exact bytes of delimited text output for small sheets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "sheet/model/SheetError.h"
#include "sheet/writers/SheetSaver.h"

namespace quorvex::sheet {
namespace {

/// A reader serving one sheet from a list of cells, with an optional declared range.
class ListReader : public WorkbookReader {
 public:
  ListReader(std::vector<Cell> cells, std::optional<CellRange> declared)
      : cells_(std::move(cells)), declared_(declared) {
    workbook_.sheets.push_back({"Sheet1", SheetKind::kWorksheet, "sheet1"});
  }
  const Workbook& workbook() const override { return workbook_; }
  void ReadSheet(std::size_t, SheetSink& sink) override {
    ++reads;
    if (declared_) sink.OnDimension(*declared_);
    for (const Cell& cell : cells_) sink.OnCell(cell);
  }
  int reads = 0;

 private:
  Workbook workbook_;
  std::vector<Cell> cells_;
  std::optional<CellRange> declared_;
};

Cell Text(std::uint32_t row, std::uint32_t column, std::string_view text) {
  return {row, column, CellValue::String(text), 0, {}};
}
Cell Number(std::uint32_t row, std::uint32_t column, double value) {
  return {row, column, CellValue::Number(value), 0, {}};
}
Cell StyleOnly(std::uint32_t row, std::uint32_t column) { return {row, column, {}, 0, {}}; }

class DelimitedWriterTest : public ::testing::Test {
 protected:
  std::string Save(ListReader& reader, char delimiter = ',') {
    numfmt::CellText text(reader.workbook());
    SaveDelimited(reader, text, 0, path_.string(), delimiter);
    std::ifstream in(path_, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / (std::string("quorvex-writer-") + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = dir_ / "out.csv";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::filesystem::path path_;
};

TEST_F(DelimitedWriterTest, WritesRowsWithCrLfAndEqualFieldCounts) {
  ListReader reader({Text(0, 0, "a"), Number(0, 2, 3), Text(1, 1, "b")}, CellRange{0, 0, 1, 2});
  EXPECT_EQ(Save(reader), "a,,3\r\n,b,\r\n");
}

TEST_F(DelimitedWriterTest, QuotesFieldHoldingDelimiterQuoteOrLineBreak) {
  ListReader reader({Text(0, 0, "x,y"), Text(0, 1, "say \"hi\""), Text(0, 2, "two\nlines"), Text(0, 3, "cr\r"),
                     Text(0, 4, "tab\there")},
                    CellRange{0, 0, 0, 4});
  EXPECT_EQ(Save(reader), "\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",tab\there\r\n");
}

TEST_F(DelimitedWriterTest, TabDelimitedQuotesTabsButNotCommas) {
  ListReader reader({Text(0, 0, "x,y"), Text(0, 1, "a\tb")}, CellRange{0, 0, 0, 1});
  EXPECT_EQ(Save(reader, '\t'), "x,y\t\"a\tb\"\r\n");
}

TEST_F(DelimitedWriterTest, RangeStartsAtItsFirstRowAndColumn) {
  // Cells from B3: no column for A and no lines for rows 1 and 2; the empty row 4 stays.
  ListReader reader({Text(2, 1, "b3"), Text(2, 2, "c3"), Text(4, 2, "c5")}, CellRange{2, 1, 4, 2});
  EXPECT_EQ(Save(reader), "b3,c3\r\n,\r\n,c5\r\n");
}

TEST_F(DelimitedWriterTest, StyleOnlyCellsWidenTheRangeWithoutText) {
  ListReader reader({Text(0, 0, "a"), StyleOnly(2, 3)}, std::nullopt);
  EXPECT_EQ(Save(reader), "a,,,\r\n,,,\r\n,,,\r\n");
}

TEST_F(DelimitedWriterTest, SheetWithoutCellsGivesEmptyFile) {
  ListReader reader({}, CellRange{0, 0, 0, 0});
  EXPECT_EQ(Save(reader), "");
}

TEST_F(DelimitedWriterTest, MissingDimensionIsFoundByScanning) {
  ListReader reader({Number(1, 1, 1), Number(3, 4, 2)}, std::nullopt);
  EXPECT_EQ(Save(reader), "1,,,\r\n,,,\r\n,,,2\r\n");
  EXPECT_EQ(reader.reads, 3);  // the failed attempt, the scan, the write
}

TEST_F(DelimitedWriterTest, UntruthfulDimensionIsReplacedByTheScannedRange) {
  // The file claims A1:A1, yet holds cells further right and further down.
  ListReader reader({Text(0, 0, "a"), Text(0, 1, "b"), Text(1, 0, "c")}, CellRange{0, 0, 0, 0});
  EXPECT_EQ(Save(reader), "a,b\r\nc,\r\n");
}

TEST_F(DelimitedWriterTest, DeclaredRangeLargerThanCellsIsKept) {
  ListReader reader({Text(0, 0, "a")}, CellRange{0, 0, 1, 1});
  EXPECT_EQ(Save(reader), "a,\r\n,\r\n");
}

TEST_F(DelimitedWriterTest, RowsOutOfOrderAreReportedNotWrittenWrongly) {
  ListReader reader({Text(1, 0, "late"), Text(0, 0, "early")}, std::nullopt);
  EXPECT_THROW(Save(reader), SheetError);
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(DelimitedWriterTest, FailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
  { std::ofstream(path_) << "old"; }
  ListReader reader({Text(1, 0, "late"), Text(0, 0, "early")}, std::nullopt);
  EXPECT_THROW(Save(reader), SheetError);
  std::ifstream in(path_);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(DelimitedWriterTest, UnwritableDestinationIsAnIoError) {
  ListReader reader({Text(0, 0, "a")}, std::nullopt);
  numfmt::CellText text(reader.workbook());
  try {
    SaveDelimited(reader, text, 0, (dir_ / "missing" / "out.csv").string(), ',');
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kIo);
    EXPECT_NE(std::string(error.what()).find("missing/out.csv"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorvex::sheet
