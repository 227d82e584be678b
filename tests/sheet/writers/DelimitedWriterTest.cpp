// Exact bytes of delimited text output for small sheets, and how many readings each took.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "sheet/model/SheetError.h"
#include "sheet/writers/SheetSaver.h"

namespace quorvex::sheet {
namespace {

/// A reader serving one sheet: an optional declared range, the cells in the given order, then
/// merges and comments, as the files store them.
class ListReader : public WorkbookReader {
 public:
  ListReader(std::vector<Cell> cells, std::optional<CellRange> declared, std::vector<CellRange> merges = {},
             std::vector<std::pair<std::uint32_t, std::uint32_t>> comments = {})
      : cells_(std::move(cells)),
        declared_(declared),
        merges_(std::move(merges)),
        comments_(std::move(comments)) {
    workbook_.sheets.push_back({"Sheet1", SheetKind::kWorksheet, "sheet1"});
  }
  const Workbook& workbook() const override { return workbook_; }
  void ReadSheet(std::size_t, SheetSink& sink) override {
    ++reads;
    if (declared_) sink.OnDimension(*declared_);
    for (const Cell& cell : cells_) {
      if (fail_at_cell && &cell == &cells_[*fail_at_cell])
        throw SheetError(SheetErrorCode::kCorrupt, "damaged");
      if (sink.OnCell(cell) == SinkControl::kStop) return;
    }
    for (const CellRange& merge : merges_) sink.OnMergedRange(merge);
    for (const auto& [row, column] : comments_) sink.OnComment(row, column);
  }
  int reads = 0;
  std::optional<std::size_t> fail_at_cell;

 private:
  Workbook workbook_;
  std::vector<Cell> cells_;
  std::optional<CellRange> declared_;
  std::vector<CellRange> merges_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> comments_;
};

Cell Text(std::uint32_t row, std::uint32_t column, std::string_view text) {
  return {row, column, CellValue::String(text), 0, {}};
}
Cell Number(std::uint32_t row, std::uint32_t column, double value) {
  return {row, column, CellValue::Number(value), 0, {}};
}
Cell StyleOnly(std::uint32_t row, std::uint32_t column) {
  return {row, column, {}, 1, {}};
}

class DelimitedWriterTest : public ::testing::Test {
 protected:
  std::string Save(ListReader& reader, char delimiter = ',', TextEncoding encoding = TextEncoding::kUtf8) {
    numfmt::CellText text(reader.workbook());
    replaced_ = SaveDelimited(reader, text, 0, path_.string(), delimiter, encoding);
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
  std::size_t replaced_ = 0;
};

struct Case {
  const char* name;
  std::function<ListReader()> make;
  const char* expected;
  int reads;  // 1: written while streaming; 2: the dimension or the order was wrong
};

TEST_F(DelimitedWriterTest, CoversTheUsedRangeWhateverTheFileDeclares) {
  const std::vector<Case> cases = {
      {"true dimension, in order: one reading; no line break after the last line",
       [] {
         return ListReader({Text(0, 0, "a"), Number(0, 2, 3), Text(1, 1, "b")}, CellRange{0, 0, 1, 2});
       },
       "a,,3\r\n,b,", 1},
      {"range from its first row and column; an empty row in between stays",
       [] {
         return ListReader({Text(2, 1, "b3"), Text(2, 2, "c3"), Text(4, 2, "c5")}, CellRange{2, 1, 4, 2});
       },
       "b3,c3\r\n,\r\n,c5", 1},
      {"style-only cells widen the range without text",
       [] {
         return ListReader({StyleOnly(0, 0), Text(1, 1, "a"), StyleOnly(2, 3)}, CellRange{0, 0, 2, 3});
       },
       ",,,\r\n,a,,\r\n,,,", 1},
      {"no dimension",
       [] {
         return ListReader({Number(1, 1, 1), Number(3, 4, 2)}, std::nullopt);
       },
       "1,,,\r\n,,,\r\n,,,2", 2},
      {"dimension too small",
       [] {
         return ListReader({Text(0, 0, "a"), Text(0, 1, "b"), Text(1, 0, "c")}, CellRange{0, 0, 0, 0});
       },
       "a,b\r\nc,", 2},
      {"dimension with rows to spare: the lines written stand, cut at the last row used",
       [] {
         return ListReader({Text(0, 0, "a"), Text(1, 0, "b")}, CellRange{0, 0, 65535, 0});
       },
       "a\r\nb", 1},
      {"dimension larger than the cells: no padding on its word alone",
       [] {
         return ListReader({Text(1, 1, "a"), Text(2, 1, "b")}, CellRange{0, 0, 9, 5});
       },
       "a\r\nb", 2},
      {"a single-cell dimension elsewhere (K1833)",
       [] {
         return ListReader({Text(0, 0, "a"), Text(1, 1, "b")}, CellRange{1832, 10, 1832, 10});
       },
       "a,\r\n,b", 2},
      {"the whole sheet declared, one cell",
       [] {
         return ListReader({Text(0, 0, "only")}, CellRange{0, 0, 1048575, 16383});
       },
       "only", 2},
      {"rows stored in reverse",
       [] {
         return ListReader({Text(2, 0, "c"), Text(1, 1, "b"), Text(0, 0, "a")}, CellRange{0, 0, 2, 1});
       },
       "a,\r\n,b\r\nc,", 2},
      {"cells of a row reversed, after rows in order",
       [] {
         return ListReader({Text(0, 0, "a"), Text(1, 2, "z"), Text(1, 0, "x")}, CellRange{0, 0, 1, 2});
       },
       "a,,\r\nx,,z", 2},
      {"a cell stored twice: the later record counts",
       [] {
         return ListReader({Text(0, 0, "old"), Text(0, 1, "b"), Text(0, 0, "new")}, CellRange{0, 0, 0, 1});
       },
       "new,b", 2},
      {"merges and comments after the cells widen the range",
       [] {
         return ListReader({Text(0, 0, "a")}, CellRange{0, 0, 0, 0}, {CellRange{0, 0, 1, 1}}, {{2, 0}});
       },
       "a,\r\n,\r\n,", 2},
      {"no cells",
       [] {
         return ListReader({}, CellRange{0, 0, 0, 0});
       },
       "", 1},
      {"a used range of one empty cell",
       [] {
         return ListReader({StyleOnly(3, 3)}, CellRange{3, 3, 3, 3});
       },
       "", 1},
  };
  for (const Case& c : cases) {
    ListReader reader = c.make();
    EXPECT_EQ(Save(reader), c.expected) << c.name;
    EXPECT_EQ(reader.reads, c.reads) << c.name;
  }
}

TEST_F(DelimitedWriterTest, QuotesFieldHoldingDelimiterQuoteOrLineBreak) {
  ListReader reader({Text(0, 0, "x,y"), Text(0, 1, "say \"hi\""), Text(0, 2, "two\nlines"),
                     Text(0, 3, "cr\r"), Text(0, 4, "tab\there")},
                    CellRange{0, 0, 0, 4});
  EXPECT_EQ(Save(reader), "\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",tab\there");
}

TEST_F(DelimitedWriterTest, TabDelimitedQuotesTabsButNotCommas) {
  ListReader reader({Text(0, 0, "x,y"), Text(0, 1, "a\tb")}, CellRange{0, 0, 0, 1});
  EXPECT_EQ(Save(reader, '\t'), "x,y\t\"a\tb\"");
}

TEST_F(DelimitedWriterTest, WritesEachEncodingAndCountsWhatWindows1252CannotHold) {
  struct EncodingCase {
    TextEncoding encoding;
    std::string expected;
    std::size_t replaced;
  };
  const EncodingCase cases[] = {
      {TextEncoding::kUtf8, "M\xC3\xBCller \xE2\x82\xAC,\xE6\xA0\xAA,\xC2\x81", 0},
      {TextEncoding::kUtf8Bom, "\xEF\xBB\xBFM\xC3\xBCller \xE2\x82\xAC,\xE6\xA0\xAA,\xC2\x81", 0},
      // U+0081 would be the undefined byte 0x81, which strict decoders refuse.
      {TextEncoding::kWindows1252, "M\xFCller \x80,?,?", 2},
  };
  for (const EncodingCase& c : cases) {
    // Without a dimension the sheet is read twice: the preamble and the count start over.
    ListReader reader({Text(0, 0, "Müller €"), Text(0, 1, "株"), Text(0, 2, "\u0081")}, std::nullopt);
    EXPECT_EQ(Save(reader, ',', c.encoding), c.expected) << TextEncodingName(c.encoding);
    EXPECT_EQ(replaced_, c.replaced) << TextEncodingName(c.encoding);
    EXPECT_EQ(reader.reads, 2);
  }
}

TEST_F(DelimitedWriterTest, ManyRowsUnderAHugeDimensionAreWrittenOnceAtTheirWidth) {
  // Padding for columns no record calls for would be 16383 commas a line: the streaming attempt
  // gives up early, and the second reading writes only the cells' width.
  std::vector<Cell> cells;
  for (std::uint32_t row = 0; row < 2000; ++row) cells.push_back(Number(row, 0, row));
  ListReader reader(cells, CellRange{0, 0, 1048575, 16383});
  const std::string written = Save(reader);
  EXPECT_EQ(written.size(), 10 * 1 + 90 * 2 + 900 * 3 + 1000 * 4 + 1999 * 2);  // digits and line breaks
  EXPECT_EQ(written.substr(0, 9), "0\r\n1\r\n2\r\n");
  EXPECT_EQ(reader.reads, 2);
}

TEST_F(DelimitedWriterTest, FailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
  { std::ofstream(path_) << "old"; }
  ListReader reader({Text(0, 0, "a"), Text(1, 0, "b")}, std::nullopt);
  reader.fail_at_cell = 1;
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
