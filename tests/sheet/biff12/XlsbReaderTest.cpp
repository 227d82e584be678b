// Tests for the .xlsb reader: workbook, styles, shared strings and every worksheet record, built
// record by record, and damaged records giving clear errors.
#include <gtest/gtest.h>

#include "../support/EventLog.h"
#include "../support/InMemory.h"
#include "XlsbTestFiles.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/biff12/XlsbReader.h"

namespace quorvex::sheet {
namespace {

using test_support::Brt;
using test_support::BuildXlsb;
using test_support::Bytes;
using test_support::InMemory;
using test_support::RowHeader;
using test_support::XlsbCell;
using Lines = std::vector<std::string>;

Lines Events(const std::string& package, std::size_t position = 0) {
  biff12::XlsbReader reader(InMemory(package));
  test_support::EventLog log;
  reader.ReadSheet(position, log);
  return log.events;
}

std::string Strings(const std::vector<std::u16string>& texts) {
  std::string part = Brt(
      159,
      Bytes().U32(static_cast<std::uint32_t>(texts.size())).U32(static_cast<std::uint32_t>(texts.size())));
  for (const auto& text : texts) {
    Bytes item;
    item.U8(0x01);  // rich: runs follow the text
    item.Wide(text).U32(1).U16(0).U16(0);
    part += Brt(19, item);
  }
  return part;
}

std::string CellXfs(int count) {
  std::string records = Brt(617, Bytes().U32(static_cast<std::uint32_t>(count)));
  for (int i = 0; i < count; ++i)
    records += Brt(47, Bytes().U16(0).U16(0).U16(0).U16(0).U16(0).U8(0).U8(0).U16(0).U16(0));
  return records + Brt(618, "");
}

TEST(XlsbReader, ListsSheetsWithKindVisibilityDateSystemAndActiveTab) {
  const std::string book_view =
      Brt(135, Bytes().U32(0).U32(0).U32(0).U32(0).U32(600).U32(0).U32(2).U8(0).str());
  const std::string package = BuildXlsb({{u"Data", RowHeader(0) + Brt(5, XlsbCell(0).F64(1))},
                                         {u"Chart", "", true, 2},
                                         {u"H\u00e9", RowHeader(0) + Brt(5, XlsbCell(0).F64(3)), false, 1}},
                                        Brt(153, Bytes().U32(1).U32(0)) + book_view);
  auto reader = OpenWorkbook(InMemory(package));
  const Workbook& workbook = reader->workbook();
  ASSERT_EQ(workbook.sheets.size(), 3u);
  EXPECT_EQ(workbook.sheets[2].name, "H\xC3\xA9");
  EXPECT_EQ(workbook.sheets[1].kind, SheetKind::kChart);
  EXPECT_TRUE(workbook.sheets[2].hidden);
  EXPECT_FALSE(workbook.sheets[2].very_hidden);
  EXPECT_TRUE(workbook.sheets[1].hidden && workbook.sheets[1].very_hidden);
  EXPECT_TRUE(workbook.date1904);
  EXPECT_EQ(workbook.active_sheet, 2u);
  test_support::EventLog chart;
  reader->ReadSheet(1, chart);
  EXPECT_TRUE(chart.events.empty());
  EXPECT_EQ(Events(package, 2), (Lines{"row 0 h15", "0,0 n:3"}));
}

TEST(XlsbReader, StreamsEveryCellRecordAndSheetStructure) {
  const std::string sheet =
      Brt(148, Bytes().U32(0).U32(2).U32(0).U32(9)) +
      Brt(485, Bytes().U32(0xFFFFFFFF).U16(10).U16(280).U16(0)) +
      Brt(60, Bytes().U32(1).U32(3).U32(2560).U32(0).U16(1)) + Brt(145, "") + RowHeader(0, 400, 0x10) +
      Brt(1, XlsbCell(0, 2)) + Brt(2, XlsbCell(1).U32((7u << 2) | 2)) + Brt(3, XlsbCell(2).U8(0x07)) +
      Brt(4, XlsbCell(3).U8(1)) + Brt(5, XlsbCell(4).F64(-0.5)) + Brt(6, XlsbCell(5).Wide(u"inline")) +
      Brt(7, XlsbCell(6).U32(1)) + Brt(8, XlsbCell(7).Wide(u"f\u00e9").U16(0)) +
      Brt(9, XlsbCell(8).F64(2.5).U16(0)) + Brt(10, XlsbCell(9).U8(0).U16(0)) + RowHeader(2) +
      Brt(11, XlsbCell(0).U8(0x2A).U16(0)) + Brt(17, Bytes().U32(1).Wide(u"short")) +
      Brt(13, Bytes().U32(0).U32((9u << 2) | 3)) + Brt(18, Bytes().U32(2).U32(0)) +
      Brt(62, XlsbCell(9).U8(1).Wide(u"rich").U32(0)) + Brt(0x1FF, "unknown") + Brt(146, "") +
      Brt(176, Bytes().U32(0).U32(1).U32(2).U32(3));
  const std::string package = BuildXlsb({{u"S", sheet}}, {}, CellXfs(3), Strings({u"zero", u"one"}));
  EXPECT_EQ(
      Events(package),
      (Lines{"dim 0,0:2,9",  "defaults 10 14",  "col 1-3 w10 hidden", "row 0 h20 hidden", "0,0 empty @2",
             "0,1 n:7",      "0,2 e:#DIV/0!",   "0,3 b:TRUE",         "0,4 n:-0.5",       "0,5 s:inline",
             "0,6 s:one",    "0,7 s:f\xC3\xA9", "0,8 n:2.5",          "0,9 b:FALSE",      "row 2 h15",
             "2,0 e:#N/A",   "2,1 s:short @1",  "2,2 n:0.09",         "2,3 s:zero @2",    "2,9 s:rich",
             "merge 0,2:1,3"}));
}

TEST(XlsbReader, ReadsNumberFormatsFontsFillsBordersAndCellFormats) {
  auto color = [](std::uint8_t type, std::uint8_t index, std::uint32_t rgb) {
    return Bytes().U8(type << 1 | 1).U8(index).U16(0).U8(rgb >> 16).U8(rgb >> 8).U8(rgb).U8(0xFF).str();
  };
  std::string styles = Brt(44, Bytes().U16(170).Wide(u"0.000"));
  styles += Brt(43, Bytes()
                        .U16(220)
                        .U16(0x02)
                        .U16(700)
                        .U16(0)
                        .U8(1)
                        .U8(0)
                        .U8(0)
                        .U8(0)
                        .Raw(color(2, 0, 0x336699))
                        .U8(0)
                        .Wide(u"Tahoma"));
  styles += Brt(45, Bytes().U32(0).Raw(color(0, 0, 0)).Raw(color(0, 0, 0)).str());
  styles += Brt(45, Bytes().U32(1).Raw(color(1, 10, 0)).Raw(color(0, 0, 0)).str());
  Bytes border;
  border.U8(0);
  for (std::uint8_t style : {2, 0, 1, 0, 0}) border.U8(style).U8(0).Raw(color(2, 0, 0x00FF00));
  styles += Brt(46, border);
  styles +=
      Brt(47, Bytes().U16(0).U16(99).U16(0).U16(0).U16(0).U8(0).U8(0).U16(0).U16(0).str());  // a style XF
  styles +=
      Brt(617, Bytes().U32(2)) +
      Brt(47, Bytes().U16(0).U16(0).U16(0).U16(0).U16(0).U8(0).U8(0).U16(0).U16(0).str()) +
      Brt(47,
          Bytes().U16(0).U16(170).U16(0).U16(1).U16(0).U8(0).U8(3).U16(3 | (1 << 3) | 0x40).U16(0).str()) +
      Brt(618, "");
  biff12::XlsbReader reader(InMemory(BuildXlsb({{u"S", ""}}, {}, styles)));
  const Workbook& workbook = reader.workbook();
  ASSERT_EQ(workbook.cell_formats.size(), 2u);  // the style XF outside the cell XFs is not one
  const CellFormat& format = workbook.cell_formats[1];
  EXPECT_EQ(format.number_format_id, 170u);
  EXPECT_EQ(workbook.number_formats.at(170), "0.000");
  EXPECT_EQ(format.horizontal, HorizontalAlignment::kRight);
  EXPECT_EQ(format.vertical, VerticalAlignment::kCenter);
  EXPECT_TRUE(format.wrap_text);
  EXPECT_EQ(format.indent, 3);
  EXPECT_EQ(workbook.fills.at(format.fill).color, std::optional<Rgb>(0xFF0000));  // indexed colour 10
  EXPECT_EQ(workbook.fills.at(0).color, std::nullopt);
  const Font& font = workbook.fonts.at(format.font);
  EXPECT_EQ(font.name, "Tahoma");
  EXPECT_DOUBLE_EQ(font.size, 11);
  EXPECT_TRUE(font.bold && font.italic && font.underline);
  EXPECT_EQ(font.color, std::optional<Rgb>(0x336699));
  const Border& edges = workbook.borders.at(format.border);
  EXPECT_EQ(edges.top.style, BorderStyle::kMedium);
  EXPECT_EQ(edges.top.color, std::optional<Rgb>(0x00FF00));
  EXPECT_EQ(edges.left.style, BorderStyle::kThin);
  EXPECT_EQ(edges.bottom.style, BorderStyle::kNone);
}

TEST(XlsbReader, RecordsLargerThanTheReadBufferAreSkippedWhole) {
  const std::string sheet = RowHeader(0) + Brt(0x2FF, std::string(700000, 'x')) + Brt(5, XlsbCell(1).F64(8));
  EXPECT_EQ(Events(BuildXlsb({{u"S", sheet}})), (Lines{"row 0 h15", "0,1 n:8"}));
}

struct Bad {
  const char* what;
  std::string sheet;
  SheetErrorCode code;
  const char* phrase;
};

void PrintTo(const Bad& bad, std::ostream* out) {
  *out << bad.what;
}

class XlsbBadInput : public ::testing::TestWithParam<Bad> {};

TEST_P(XlsbBadInput, GivesAClearError) {
  try {
    Events(BuildXlsb({{u"S", GetParam().sheet}}, {}, {}, Strings({u"only"})));
    FAIL() << "no error for " << GetParam().what;
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), GetParam().code) << error.what();
    EXPECT_NE(std::string(error.what()).find(GetParam().phrase), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("sheet1.bin"), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsbBadInput,
    ::testing::Values(
        Bad{"type of three bytes", "\x80\x80\x01\x00", SheetErrorCode::kCorrupt, "longer than two bytes"},
        Bad{"size of five bytes", "\x05\x80\x80\x80\x80\x01", SheetErrorCode::kCorrupt,
            "longer than four bytes"},
        Bad{"cut inside a header", "\x05", SheetErrorCode::kCorrupt, "inside a record header"},
        Bad{"record past the part", "\x05\x10\x00\x00", SheetErrorCode::kCorrupt,
            "longer than the rest of the part"},
        Bad{"huge declared size", "\x05\xFF\xFF\xFF\x7F", SheetErrorCode::kTooLarge, "declares"},
        Bad{"string past its record", Brt(6, XlsbCell(0).U32(1000).U16('a')), SheetErrorCode::kCorrupt,
            "runs past its record"},
        Bad{"short cell", Brt(5, XlsbCell(0).U32(0)), SheetErrorCode::kCorrupt, "shorter than its fields"},
        Bad{"shared string out of range", Brt(7, XlsbCell(0).U32(1)), SheetErrorCode::kCorrupt,
            "shared string 1"},
        Bad{"column outside the sheet", Brt(5, XlsbCell(16384).F64(1)), SheetErrorCode::kCorrupt,
            "column lies outside"},
        Bad{"row outside the sheet", RowHeader(1048576), SheetErrorCode::kCorrupt, "row number"}));

TEST(XlsbReader, MissingSheetPartIsCorrupt) {
  std::string package = BuildXlsb({{u"S", RowHeader(0)}});
  biff12::XlsbReader reader(InMemory(package));
  // The part exists: read it. A relationship to a missing part would fail the same way as .xlsx.
  test_support::EventLog log;
  EXPECT_NO_THROW(reader.ReadSheet(0, log));
  EXPECT_THROW(reader.ReadSheet(1, log), std::out_of_range);
}

}  // namespace
}  // namespace quorvex::sheet
