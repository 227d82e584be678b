// Tests for the .xls reader's sheet records: every cell record type, formula results, the
// shared string table across CONTINUE records, row blocks, sizes and merges.
#include <gtest/gtest.h>

#include "XlsTestFiles.h"

namespace quorvex::sheet {
namespace {

using test_support::Bytes;
using test_support::CellHead;
using test_support::Formula;
using test_support::OneSheet;
using test_support::Record;
using test_support::SpecialResult;
using test_support::XlsFile;
using Lines = std::vector<std::string>;

std::string Sst(const std::string& strings, std::uint32_t count,
                const std::vector<std::string>& continues = {}) {
  std::string records = Record(0x00FC, Bytes().U32(count).U32(count).Raw(strings));
  for (const std::string& body : continues) records += Record(0x003C, body);
  return records;
}

std::string LabelSst(std::uint32_t row, std::uint32_t column, std::uint32_t index) {
  return Record(0x00FD, CellHead(row, column).U32(index));
}

TEST(XlsCells, EveryValueRecordGivesItsValue) {
  struct Row {
    std::string record;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {Record(0x0203, CellHead(0, 0).F64(-2.5)), "0,0 n:-2.5"},
      {Record(0x027E, CellHead(0, 1).U32((1234u << 2) | 2)), "0,1 n:1234"},
      {Record(0x027E, CellHead(0, 2).U32((static_cast<std::uint32_t>(-1234) << 2) | 3)), "0,2 n:-12.34"},
      {Record(0x027E, CellHead(0, 3).U32(0x3FF80000)), "0,3 n:1.5"},
      {Record(0x027E, CellHead(0, 4).U32(0x3FF80000 | 1)), "0,4 n:0.015"},
      {Record(0x0205, CellHead(0, 5).U8(1).U8(0)), "0,5 b:TRUE"},
      {Record(0x0205, CellHead(0, 6).U8(0x07).U8(1)), "0,6 e:#DIV/0!"},
      {Record(0x0205, CellHead(0, 7).U8(0x2A).U8(1)), "0,7 e:#N/A"},
      {Record(0x0201, CellHead(0, 8, 3)), "0,8 empty @3"},
      {Record(0x0204, CellHead(0, 9).Unicode8("label")), "0,9 s:label"},
      {Record(0x0204, CellHead(0, 10).Unicode16(u"\u0416\u00e9")), "0,10 s:\xD0\x96\xC3\xA9"},
      {Record(0x00D6, CellHead(0, 11).Unicode8("rich").U16(1).U16(0).U16(1)), "0,11 s:rich"},
      {Formula(0, 12, Bytes().F64(7.25)), "0,12 n:7.25"},
      {Formula(0, 13, SpecialResult(1, 1)), "0,13 b:TRUE"},
      {Formula(0, 14, SpecialResult(2, 0x17)), "0,14 e:#REF!"},
      {Formula(0, 15, SpecialResult(3)), "0,15 s:"},
      {Formula(0, 16, SpecialResult(0)) + Record(0x04BC, "shared") +
           Record(0x0207, Bytes().Unicode8("from STRING")),
       "0,16 s:from STRING"},
      {Formula(0, 17, SpecialResult(0)) + Record(0x0207, Bytes().Unicode16(u"\u20ac long")),
       "0,17 s:\xE2\x82\xAC long"},
      {Record(0x00BD, Bytes().U16(0).U16(18).U16(0).U32((5u << 2) | 2).U16(2).U32((6u << 2) | 2).U16(19)),
       "0,18 n:5"},
      {"", "0,19 n:6 @2"},
      {Record(0x00BE, Bytes().U16(0).U16(20).U16(4).U16(5).U16(21)), "0,20 empty @4"},
      {"", "0,21 empty @5"},
  };
  std::string records;
  Lines expected;
  for (const Row& row : rows) {
    records += row.record;
    expected.push_back(row.expected);
  }
  // XF indexes 2 to 5 exist: a sheet's styles are checked against the workbook's XF count.
  std::string xfs;
  for (int i = 0; i < 6; ++i) xfs += Record(0x00E0, std::string(20, '\0'));
  EXPECT_EQ(XlsFile(OneSheet(records, xfs)).Cells(), expected);
}

// A formula's text result is in the STRING record after it, which CONTINUE records may split
// anywhere: between the count and the flags, before the first character, or between
// characters (where each CONTINUE restates the character width).
TEST(XlsCells, FormulaTextResultsSplitAcrossContinueRecords) {
  const auto text_result = [](std::uint32_t column, const std::string& string,
                              const std::vector<std::string>& rest) {
    std::string records = Formula(0, column, SpecialResult(0)) + Record(0x0207, string);
    for (const std::string& body : rest) records += Record(0x003C, body);
    return records;
  };
  const std::string records =
      text_result(0, Bytes().U16(8).U8(0).Raw("07/0").str(), {Bytes().U8(1).Utf16(u"4/08").str()}) +
      text_result(1, Bytes().U16(5).str(), {Bytes().U8(0).Raw("split").str()}) +
      text_result(2, Bytes().U16(3).U8(1).str(), {Bytes().U8(0).Raw("abc").str()}) +
      // A long formula continues before its STRING record.
      Formula(0, 3, SpecialResult(0)) + Record(0x003C, "more tokens") +
      Record(0x0207, Bytes().Unicode8("after").str()) +
      // An empty text result written as a bare count.
      text_result(4, Bytes().U16(0).str(), {}) + Record(0x0203, CellHead(0, 5).F64(1));
  EXPECT_EQ(XlsFile(OneSheet(records)).Cells(),
            (Lines{"0,0 s:07/04/08", "0,1 s:split", "0,2 s:abc", "0,3 s:after", "0,4 s:", "0,5 n:1"}));
}

TEST(XlsCells, StyleIndexesPastTheXfTableReadAsDefault) {
  EXPECT_EQ(XlsFile(OneSheet(Record(0x0201, CellHead(0, 0, 77)))).Cells(), Lines{"0,0 empty"});
}

TEST(XlsCells, SharedStringsSplitAcrossContinueRecords) {
  // String 1 switches from 8-bit to 16-bit characters at the first CONTINUE; string 2 has two
  // rich-text runs and 6 bytes of phonetic data cut by the second CONTINUE; string 3 starts a
  // CONTINUE of its own.
  const std::string first = Bytes().U16(5).U8(0).Raw("plain").U16(8).U8(0).Raw("ABC");
  const std::string second =
      Bytes().U8(1).Utf16(u"DE\u0416GH").U16(4).U8(0x0C).U16(2).U32(6).Raw("rich").U32(0x00010000);
  const std::string third = Bytes().U32(0x00020003).Raw("phonet");
  const std::string fourth = Bytes().U16(4).U8(0).Raw("next");
  const std::string globals = Sst(first, 4, {second, third, fourth});
  const std::string records = LabelSst(0, 0, 0) + LabelSst(0, 1, 1) + LabelSst(0, 2, 2) + LabelSst(0, 3, 3);
  EXPECT_EQ(XlsFile(OneSheet(records, globals)).Cells(),
            (Lines{"0,0 s:plain", "0,1 s:ABCDE\xD0\x96GH", "0,2 s:rich", "0,3 s:next"}));
}

TEST(XlsCells, SharedStringIndexPastTheTableIsCorrupt) {
  const XlsFile file(OneSheet(LabelSst(0, 0, 1), Sst(Bytes().U16(1).U8(0).Raw("a"), 1)));
  try {
    file.Cells();
    FAIL();
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
    EXPECT_NE(std::string(error.what()).find("shared string 1"), std::string::npos) << error.what();
  }
}

TEST(XlsCells, CellsOfARowBlockAreSortedButBlocksStream) {
  auto row = [](std::uint32_t r, std::uint16_t height, std::uint16_t flags) {
    return Record(0x0208, Bytes().U16(r).U16(0).U16(2).U16(height).U16(0).U16(0).U16(flags).U16(0));
  };
  auto number = [](std::uint32_t r, std::uint32_t c) {
    return Record(0x0203, CellHead(r, c).F64(r * 10 + c));
  };
  const std::string records =
      Record(0x0225, Bytes().U16(0).U16(300)) + Record(0x0055, Bytes().U16(9)) +
      Record(0x007D, Bytes().U16(1).U16(2).U16(4096).U16(0).U16(1).U16(0)) +
      Record(0x0200, Bytes().U32(0).U32(3).U16(0).U16(2).U16(0)) + row(0, 255, 0) + row(1, 400, 0x20 | 0x40) +
      number(1, 1) + number(0, 1) + number(1, 0) + number(0, 0) + Record(0x00D7, std::string(4, '\0')) +
      row(2, 255, 0) + number(2, 0) + Record(0x1234, "unknown record") +
      Record(0x00E5, Bytes().U16(2).U16(0).U16(1).U16(0).U16(1).U16(2).U16(2).U16(0).U16(1));
  EXPECT_EQ(XlsFile(OneSheet(records)).Events(),
            (Lines{"col 1-2 w16 hidden", "defaults 9 15", "dim 0,0:2,1", "row 0 h12.75", "row 1 h20 hidden",
                   "0,0 n:0", "0,1 n:1", "1,0 n:10", "1,1 n:11", "row 2 h12.75", "2,0 n:20", "merge 0,0:1,1",
                   "merge 2,0:2,1"}));
}

TEST(XlsCells, EmptySheetDeclaresA1AndNoCells) {
  EXPECT_EQ(XlsFile(OneSheet(Record(0x0200, Bytes().U32(0).U32(0).U16(0).U16(0).U16(0)))).Events(),
            Lines{"dim 0,0:0,0"});
}

TEST(XlsCells, EmbeddedChartSubstreamIsSkipped) {
  const std::string chart =
      test_support::Bof(0x0020) + Record(0x0203, CellHead(9, 9).F64(1)) + test_support::Eof();
  EXPECT_EQ(
      XlsFile(OneSheet(Record(0x0203, CellHead(0, 0).F64(1)) + chart + Record(0x0203, CellHead(1, 0).F64(2))))
          .Cells(),
      (Lines{"0,0 n:1", "1,0 n:2"}));
}

}  // namespace
}  // namespace quorvex::sheet
