// Tests for the .xls reader's workbook globals (sheets, styles, date system, code pages), BIFF5
// streams, damaged or encrypted streams, and how the opener dispatches compound files and .xlsb.
#include <gtest/gtest.h>

#include "../support/ZipWriter.h"
#include "XlsTestFiles.h"
#include "sheet/WorkbookOpener.h"

namespace quorvex::sheet {
namespace {

using test_support::BiffSheet;
using test_support::BuildBiffStream;
using test_support::Bytes;
using test_support::CellHead;
using test_support::InMemory;
using test_support::OneSheet;
using test_support::Record;
using test_support::XlsFile;
using Lines = std::vector<std::string>;

std::string Font8(const std::string& name, std::uint16_t height, std::uint16_t attributes,
                  std::uint16_t color, std::uint16_t weight, std::uint8_t underline) {
  return Record(0x0031, Bytes()
                            .U16(height)
                            .U16(attributes)
                            .U16(color)
                            .U16(weight)
                            .U16(0)
                            .U8(underline)
                            .U8(0)
                            .U8(0)
                            .U8(0)
                            .U8(static_cast<std::uint32_t>(name.size()))
                            .U8(0)
                            .Raw(name));
}

TEST(XlsWorkbook, ListsSheetsWithKindVisibilityActiveTabAndDateSystem) {
  const std::string globals =
      Record(0x0022, Bytes().U16(1)) +
      Record(0x003D, Bytes().U16(0).U16(0).U16(0).U16(0).U16(0).U16(2).U16(0).U16(1).U16(600));
  const std::string stream =
      BuildBiffStream(globals, {{"Data", 0, 0, Record(0x0203, CellHead(0, 0).F64(1))},
                                {"Chart", 2, 0, Record(0x0203, CellHead(0, 0).F64(2))},
                                {"Hidden", 0, 1, Record(0x0203, CellHead(0, 0).F64(3))},
                                {"Macro", 1, 2, ""}});
  const XlsFile file(stream);
  const auto reader = file.Open();
  const Workbook& workbook = reader->workbook();
  ASSERT_EQ(workbook.sheets.size(), 4u);
  EXPECT_EQ(workbook.sheets[0].name, "Data");
  EXPECT_EQ(workbook.sheets[1].kind, SheetKind::kChart);
  EXPECT_TRUE(workbook.sheets[2].hidden);
  EXPECT_FALSE(workbook.sheets[0].hidden);
  EXPECT_FALSE(workbook.sheets[2].very_hidden);
  EXPECT_TRUE(workbook.sheets[3].hidden && workbook.sheets[3].very_hidden);
  EXPECT_EQ(workbook.sheets[3].kind, SheetKind::kMacro);
  EXPECT_EQ(workbook.active_sheet, 2u);
  EXPECT_TRUE(workbook.date1904);
  EXPECT_EQ(reader->biff_version(), 8);
  EXPECT_EQ(file.Cells(0), Lines{"0,0 n:1"});
  EXPECT_EQ(file.Cells(1), Lines{});  // chart sheets stream nothing
  EXPECT_EQ(file.Cells(2), Lines{"0,0 n:3"});
  EXPECT_THROW(reader->ReadSheet(4, *std::make_unique<test_support::EventLog>()), std::out_of_range);
}

TEST(XlsWorkbook, ReadsFormatsFontsAndCellFormatsWithPaletteColours) {
  std::string globals;
  for (int i = 0; i < 4; ++i) globals += Font8("Arial", 200, 0, 0x7FFF, 400, 0);
  globals += Font8("Fifth", 240, 0x02 | 0x08, 10, 700, 1);
  globals += Record(0x041E, Bytes().U16(164).Unicode8("0.0%"));
  // Font 5 (the fifth FONT record: index 4 is never written), format 164, centred, wrapped, vertically
  // centred, indent 2; left edge thin red (10), bottom edge double (6) in colour 12; solid fill of colour 12.
  const std::uint32_t edges = 1 | (6 << 12) | (10u << 16);
  const std::uint32_t more = (12u << 7) | (1u << 26);
  globals += Record(0x00E0, Bytes()
                                .U16(5)
                                .U16(164)
                                .U16(0)
                                .U8(2 | 0x08 | (1 << 4))
                                .U8(0)
                                .U8(2)
                                .U8(0)
                                .U32(edges)
                                .U32(more)
                                .U16(12 | (65 << 7)));
  globals += Record(0x00E0, Bytes().U16(0).U16(14).U16(0).U8(0x20).U8(0).U8(0).U8(0).U32(0).U32(0).U16(0));
  globals += Record(0x0092, Bytes().U16(5).U32(0).U32(0).U32(0x0000FF).U32(0).U32(0x563412));
  const auto reader = XlsFile(OneSheet("", globals)).Open();
  const Workbook& workbook = reader->workbook();
  ASSERT_EQ(workbook.fonts.size(), 5u);
  ASSERT_EQ(workbook.cell_formats.size(), 2u);
  const CellFormat& format = workbook.cell_formats[0];
  EXPECT_EQ(format.number_format_id, 164u);
  EXPECT_EQ(workbook.number_formats.at(164), "0.0%");
  ASSERT_EQ(format.font, 4u);
  const Font& font = workbook.fonts[format.font];
  EXPECT_EQ(font.name, "Fifth");
  EXPECT_DOUBLE_EQ(font.size, 12);
  EXPECT_TRUE(font.bold && font.italic && font.strikeout && font.underline);
  EXPECT_EQ(font.color, std::optional<Rgb>(0xFF0000));
  EXPECT_EQ(workbook.fonts[0].color, std::nullopt);  // automatic
  EXPECT_EQ(format.horizontal, HorizontalAlignment::kCenter);
  EXPECT_EQ(format.vertical, VerticalAlignment::kCenter);
  EXPECT_TRUE(format.wrap_text);
  EXPECT_EQ(format.indent, 2);
  EXPECT_EQ(workbook.fills[format.fill].color, std::optional<Rgb>(0x123456));  // palette entry 12 replaced
  const Border& border = workbook.borders[format.border];
  EXPECT_EQ(border.left.style, BorderStyle::kThin);
  EXPECT_EQ(border.left.color, std::optional<Rgb>(0xFF0000));
  EXPECT_EQ(border.bottom.style, BorderStyle::kDouble);
  EXPECT_EQ(border.top.style, BorderStyle::kNone);
  const CellFormat& plain = workbook.cell_formats[1];
  EXPECT_EQ(plain.number_format_id, 14u);
  EXPECT_EQ(plain.vertical, VerticalAlignment::kBottom);
  EXPECT_EQ(workbook.fills[plain.fill].color, std::nullopt);
}

TEST(XlsWorkbook, ReadsBiff5BookStreamInItsCodePage) {
  const std::uint16_t v5 = 0x0500;
  const std::string globals = Record(0x0042, Bytes().U16(1251)) +
                              Record(0x041E, Bytes().U16(165).U8(4).Raw("0.00")) +
                              Record(0x00E0, Bytes().U16(0).U16(165).U16(0).U8(0x03).U8(0).U32(0).U32(0));
  const std::string records =
      Record(0x0200, Bytes().U16(0).U16(2).U16(0).U16(2).U16(0)) +
      Record(0x0204, CellHead(0, 0).U16(6).Raw("\xCF\xF0\xE8\xE2\xE5\xF2")) +
      Record(0x0006, CellHead(0, 1).Raw(test_support::SpecialResult(0)).U16(0).U32(0).U16(0)) +
      Record(0x0207, Bytes().U16(2).Raw("\xC4\xE0")) + Record(0x027E, CellHead(1, 1).U32((3u << 2) | 2));
  const XlsFile file(BuildBiffStream(globals, {{"\xCB\xE8\xF1\xF2", 0, 0, records}}, v5), "Book");
  const auto reader = file.Open();
  EXPECT_EQ(reader->biff_version(), 5);
  EXPECT_EQ(reader->workbook().sheets[0].name, "\xD0\x9B\xD0\xB8\xD1\x81\xD1\x82");  // Лист
  EXPECT_EQ(reader->workbook().number_formats.at(165), "0.00");
  EXPECT_EQ(reader->workbook().cell_formats[0].horizontal, HorizontalAlignment::kRight);
  EXPECT_EQ(file.Events(), (Lines{"dim 0,0:1,1", "0,0 s:\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
                                  "0,1 s:\xD0\x94\xD0\xB0", "1,1 n:3"}));
}

TEST(XlsWorkbook, ConvertsCommonCodePagesToUtf8) {
  struct Row {
    std::uint16_t code_page;
    const char* byte;
    const char* utf8;
  };
  for (const Row& row :
       {Row{1250, "\x8A", "\xC5\xA0"}, Row{1251, "\xC6", "\xD0\x96"}, Row{1252, "\x80", "\xE2\x82\xAC"},
        Row{1253, "\xC1", "\xCE\x91"}, Row{1254, "\xD0", "\xC4\x9E"}, Row{1255, "\xE0", "\xD7\x90"},
        Row{1256, "\xC7", "\xD8\xA7"}, Row{1257, "\xC0", "\xC4\x84"}, Row{1258, "\x80", "\xE2\x82\xAC"},
        Row{437, "\x82", "\xC3\xA9"}, Row{850, "\x9B", "\xC3\xB8"}, Row{10000, "\x8E", "\xC3\xA9"}}) {
    const std::string globals = Record(0x0042, Bytes().U16(row.code_page));
    const std::string records = Record(0x0204, CellHead(0, 0).U16(1).Raw(row.byte));
    const XlsFile file(BuildBiffStream(globals, {{"S", 0, 0, records}}, 0x0500), "Book");
    EXPECT_EQ(file.Cells(), Lines{std::string("0,0 s:") + row.utf8}) << "code page " << row.code_page;
  }
}

struct Bad {
  const char* what;
  std::string stream;
  SheetErrorCode code;
  const char* phrase;
};

void PrintTo(const Bad& bad, std::ostream* out) {
  *out << bad.what;
}

class XlsBadInput : public ::testing::TestWithParam<Bad> {};

TEST_P(XlsBadInput, GivesAClearError) {
  const Bad& bad = GetParam();
  const XlsFile file(bad.stream);
  try {
    const auto reader = file.Open();
    for (std::size_t i = 0; i < reader->workbook().sheets.size(); ++i) {
      test_support::EventLog log;
      reader->ReadSheet(i, log);
    }
    FAIL() << "no error for " << bad.what;
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), bad.code) << error.what();
    EXPECT_NE(std::string(error.what()).find(bad.phrase), std::string::npos) << error.what();
  }
}

std::string WithBadOffset(std::uint32_t offset) {
  std::string stream = OneSheet(Record(0x0203, CellHead(0, 0).F64(1)));
  const std::size_t at = stream.find(std::string("\x85\x00", 2));
  stream.replace(at + 4, 4, Bytes().U32(offset).str());
  return stream;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsBadInput,
    ::testing::Values(
        Bad{"FILEPASS",
            test_support::Bof(0x0005) + Record(0x002F, std::string(54, '\0')) + test_support::Eof(),
            SheetErrorCode::kPasswordProtected, "The workbook is password-protected"},
        Bad{"record longer than the stream",
            test_support::Bof(0x0005) + Bytes().U16(0x0022).U16(100).U16(1).str(), SheetErrorCode::kCorrupt,
            "longer than the rest of the stream"},
        Bad{"stream cut in a record header", test_support::Bof(0x0005) + "\x22", SheetErrorCode::kCorrupt,
            "inside a record header"},
        Bad{"globals without EOF", test_support::Bof(0x0005), SheetErrorCode::kCorrupt, "without an EOF"},
        Bad{"empty stream", "", SheetErrorCode::kCorrupt, "empty"},
        Bad{"BIFF4", Record(0x0409, std::string(6, '\0')), SheetErrorCode::kUnsupported,
            "older than Excel 5.0"},
        Bad{"not a globals BOF", test_support::Bof(0x0010), SheetErrorCode::kCorrupt, "workbook globals"},
        Bad{"label longer than its record",
            OneSheet(Record(0x0204, CellHead(0, 0).U16(100).U8(0).Raw("abc"))), SheetErrorCode::kCorrupt,
            "ends before its content"},
        Bad{"string result longer than its record",
            OneSheet(test_support::Formula(0, 0, test_support::SpecialResult(0)) +
                     Record(0x0207, Bytes().U16(50).U8(1).Raw("ab"))),
            SheetErrorCode::kCorrupt, "ends before its content"},
        Bad{"short NUMBER record", OneSheet(Record(0x0203, CellHead(0, 0).U16(1))), SheetErrorCode::kCorrupt,
            "NUMBER record is too short"},
        Bad{"sheet offset past the stream", WithBadOffset(1u << 30), SheetErrorCode::kCorrupt,
            "starts past the end of the stream"},
        Bad{"sheet offset not at a BOF", WithBadOffset(0 + 20), SheetErrorCode::kCorrupt,
            "does not hold a BOF"},
        Bad{"sheet without EOF", OneSheet("").substr(0, OneSheet("").size() - 4), SheetErrorCode::kCorrupt,
            "without an EOF"}));

TEST(XlsOpener, CompoundFilesAreEncryptedPackagesOrXlsWorkbooks) {
  using test_support::BuildCompoundFileWithStreams;
  try {
    OpenWorkbook(
        InMemory(BuildCompoundFileWithStreams({{"EncryptionInfo", "x"}, {"EncryptedPackage", "y"}}).bytes,
                 "locked.xlsx"));
    FAIL();
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kPasswordProtected);
    EXPECT_NE(std::string(error.what()).find("locked.xlsx"), std::string::npos) << error.what();
  }
  try {
    OpenWorkbook(InMemory(BuildCompoundFileWithStreams({{"WordDocument", "x"}}).bytes));
    FAIL();
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kNotAWorkbook);
  }
  const XlsFile xls(OneSheet(Record(0x0203, CellHead(0, 0).F64(4))));
  EXPECT_EQ(OpenWorkbook(InMemory(xls.bytes()))->workbook().sheets.at(0).name, "Sheet1");
}

TEST(XlsOpener, FilepassNamesTheFile) {
  const XlsFile file(test_support::Bof(0x0005) + Record(0x002F, std::string(6, '\0')) + test_support::Eof());
  try {
    OpenWorkbook(InMemory(file.bytes(), XlsFile::kName));
    FAIL();
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kPasswordProtected);
    EXPECT_NE(std::string(error.what()).find(XlsFile::kName), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace quorvex::sheet
