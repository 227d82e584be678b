// Tests for .xlsb formula text: the decompiler's wide-row token layout, one row per case, and
// the formula cell records of the .xlsb reader.
#include <gtest/gtest.h>

#include "../support/InMemory.h"
#include "XlsbTestFiles.h"
#include "sheet/biff12/FormulaDecompiler.h"
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

std::string Int(std::uint32_t v) {
  return Bytes().U8(0x1E).U16(v).str();
}
std::string Ref(std::uint32_t row, std::uint32_t column, std::uint32_t flags = 0xC000) {
  return Bytes().U8(0x44).U32(row).U16(column | flags).str();
}
std::string Area(std::uint32_t r1, std::uint32_t r2, std::uint32_t c1, std::uint32_t c2,
                 std::uint32_t flags = 0xC000) {
  return Bytes().U8(0x25).U32(r1).U32(r2).U16(c1 | flags).U16(c2 | flags).str();
}
std::string FuncVar(std::uint32_t count, std::uint32_t index) {
  return Bytes().U8(0x42).U8(count).U16(index).str();
}

std::string Decompile(const std::string& tokens, const biff12::FormulaContext& context = {}) {
  biff12::FormulaDecompiler decompiler;
  std::string text = "stale";
  const bool ok = decompiler.Decompile(tokens, context, text);
  EXPECT_EQ(ok, !text.empty());
  return text;
}

TEST(XlsbFormulaDecompiler, WideRowsColumnsAndStrings) {
  struct Row {
    const char* what;
    std::string tokens;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {"last row and column", Ref(1048575, 16383), "XFD1048576"},
      {"absolute reference", Ref(70000, 300, 0), "$KO$70001"},
      {"area", Area(0, 99999, 1, 2), "B1:C100000"},
      {"whole columns", Area(0, 1048575, 0, 1), "A:B"},
      {"whole rows", Area(4, 5, 0, 16383, 0), "$5:$6"},
      {"string of UTF-16 characters", Bytes().U8(0x17).U16(3).Utf16(u"h\u00e9\"").str(), "\"h\xC3\xA9\"\"\""},
      {"functions added in Excel 2007",
       Area(0, 9, 0, 0) + Bytes().U8(0x17).U16(1).Utf16(u">").str() + FuncVar(2, 481),
       "COUNTIFS(A1:A10,\">\")"},
      {"IFERROR", Ref(0, 0) + Int(0) + FuncVar(2, 480), "IFERROR(A1,0)"},
      {"deleted reference", Bytes().U8(0x2A).U32(0).U16(0).str(), "#REF!"},
      {"deleted area", Bytes().U8(0x2B).U32(0).U32(0).U16(0).U16(0).str(), "#REF!"},
      {"BIFF8-sized reference is cut short", Bytes().U8(0x44).U16(0).U16(0xC000).str(), ""},
      {"string count past the end", Bytes().U8(0x17).U16(9).Utf16(u"ab").str(), ""},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens), row.expected) << row.what;
}

TEST(XlsbFormulaDecompiler, RelativeReferencesAndSheets) {
  const std::vector<std::string> sheets = {"Inputs"};
  biff12::FormulaContext context;
  context.row = 100000;
  context.column = 2;
  context.extern_sheets = &sheets;
  // 14-bit signed column offsets: 0x3FFF is one column left.
  EXPECT_EQ(Decompile(Bytes().U8(0x4C).U32(0xFFFFFFFF).U16(0x3FFF | 0xC000).str(), context), "B100000");
  EXPECT_EQ(Decompile(Bytes().U8(0x2D).U32(1).U32(2).U16(0xC000).U16(1 | 0x4000).str(), context),
            "C100002:D$3");
  EXPECT_EQ(Decompile(Bytes().U8(0x5A).U16(0).U32(1).U16(1 | 0xC000).str(), context), "Inputs!B2");
  EXPECT_EQ(Decompile(Bytes().U8(0x3B).U16(0).U32(1).U32(3).U16(1 | 0xC000).U16(1 | 0xC000).str(), context),
            "Inputs!B2:B4");
}

/// "R,C value=formula" for every cell of the package's first sheet.
class FormulaLog : public SheetSink {
 public:
  SinkControl OnCell(const Cell& cell) override {
    std::string value;
    switch (cell.value.kind) {
      case CellKind::kNumber:
        value = std::to_string(static_cast<int>(cell.value.number));
        break;
      case CellKind::kBoolean:
        value = cell.value.number != 0 ? "TRUE" : "FALSE";
        break;
      default:
        value = std::string(cell.value.text);
        break;
    }
    lines.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + " " + value + "=" +
                    std::string(cell.formula));
    return SinkControl::kContinue;
  }
  Lines lines;
};

Lines Formulas(const std::string& part, const std::string& workbook_records = {}) {
  biff12::XlsbReader reader(InMemory(BuildXlsb({{u"Sheet1", part}, {u"My Data", ""}}, workbook_records)));
  FormulaLog log;
  reader.ReadSheet(0, log);
  return log.lines;
}

/// The formula tail of a BrtFmla* record: flags, the token size and tokens, no extra data.
std::string Tail(const std::string& rgce) {
  return Bytes().U16(0).U32(static_cast<std::uint32_t>(rgce.size())).Raw(rgce).U32(0).str();
}

TEST(XlsbFormulaText, EveryFormulaRecordGivesItsText) {
  const std::string add = Ref(0, 0) + Int(1) + std::string(1, '\x03');
  const std::string part =
      RowHeader(0) + Brt(5, XlsbCell(0).F64(4).str()) +  // a number, no formula
      Brt(9, XlsbCell(1).F64(5).Raw(Tail(add)).str()) +  // BrtFmlaNum
      Brt(8, XlsbCell(2).Wide(u"ab").Raw(Tail(Bytes().U8(0x17).U16(2).Utf16(u"ab").str())).str()) +
      Brt(10, XlsbCell(3).U8(1).Raw(Tail(Bytes().U8(0x1D).U8(1).str())).str()) +
      Brt(11, XlsbCell(4).U8(0x07).Raw(Tail(Int(1) + Int(0) + std::string(1, '\x06'))).str()) +
      Brt(2, XlsbCell(5).U32((6u << 2) | 2).str());  // after a formula, again none
  EXPECT_EQ(Formulas(part),
            (Lines{"0,0 4=", "0,1 5=A1+1", "0,2 ab=\"ab\"", "0,3 TRUE=TRUE", "0,4 #DIV/0!=1/0", "0,5 6="}));
}

/// A BrtFmlaNum holding PtgExp for base cell (row, column), its column in the extra data.
std::string ExpCell(std::uint32_t column, double value, std::uint32_t base_row, std::uint32_t base_column) {
  return Brt(9,
             XlsbCell(column).F64(value).U16(0).U32(5).U8(0x01).U32(base_row).U32(4).U32(base_column).str());
}

TEST(XlsbFormulaText, DefinedNamesComeFromTheWorkbook) {
  // BrtName records: flags, key, sheet index, name; the second is cut short and has no text.
  const std::string workbook = Brt(39, Bytes().U32(0).U8(0).U32(0xFFFFFFFF).Wide(u"Rate").U32(0).str()) +
                               Brt(39, Bytes().U32(0).U8(0).U32(0xFFFFFFFF).U32(50).str());
  const auto name = [](std::uint32_t index) { return Bytes().U8(0x43).U32(index).str(); };
  const std::string part = RowHeader(0) +
                           Brt(9, XlsbCell(0).F64(1).Raw(Tail(name(1) + Int(2) + "\x05")).str()) +
                           Brt(9, XlsbCell(1).F64(1).Raw(Tail(name(2))).str()) +
                           Brt(9, XlsbCell(2).F64(1).Raw(Tail(name(3))).str());
  EXPECT_EQ(Formulas(part, workbook), (Lines{"0,0 1=Rate*2", "0,1 1=", "0,2 1="}));
}

TEST(XlsbFormulaText, SharedFormulasResolveRelativeToEachCell) {
  // B1:B3 share "A<row>*2" (BrtShrFmla after the first cell, as Excel writes); the string cell
  // in B1 waits for that record and keeps its text.
  const std::string shared =
      Bytes().U8(0x4C).U32(0).U16(0x3FFF | 0xC000).str() + Int(2) + std::string(1, '\x05');
  const std::string shr_fmla = Brt(427, Bytes()
                                            .U32(0)
                                            .U32(2)
                                            .U32(1)
                                            .U32(1)
                                            .U32(static_cast<std::uint32_t>(shared.size()))
                                            .Raw(shared)
                                            .U32(0)
                                            .str());
  const std::string first =
      Brt(8, XlsbCell(1).Wide(u"txt").U16(0).U32(5).U8(0x01).U32(0).U32(4).U32(1).str());
  const std::string part = RowHeader(0) + first + shr_fmla + Brt(5, XlsbCell(2).F64(9).str()) + RowHeader(1) +
                           ExpCell(1, 4, 0, 1) + RowHeader(2) + ExpCell(1, 6, 0, 1) + ExpCell(2, 8, 7, 7);
  EXPECT_EQ(Formulas(part), (Lines{"0,1 txt=A1*2", "0,2 9=", "1,1 4=A2*2", "2,1 6=A3*2", "2,2 8="}));
}

TEST(XlsbFormulaText, ArrayFormulaTextBelongsToItsFirstCell) {
  const std::string tokens = Area(0, 1, 0, 0) + FuncVar(1, 4);
  const std::string arr_fmla = Brt(426, Bytes()
                                            .U32(0)
                                            .U32(1)
                                            .U32(2)
                                            .U32(2)
                                            .U8(0)
                                            .U32(static_cast<std::uint32_t>(tokens.size()))
                                            .Raw(tokens)
                                            .U32(0)
                                            .str());
  const std::string part = RowHeader(0) + ExpCell(2, 3, 0, 2) + arr_fmla + RowHeader(1) + ExpCell(2, 3, 0, 2);
  EXPECT_EQ(Formulas(part), (Lines{"0,2 3=SUM(A1:A2)", "1,2 3="}));
  // A first cell whose record never comes still reaches the sink, at the end of the part.
  EXPECT_EQ(Formulas(RowHeader(0) + ExpCell(2, 3, 0, 2)), (Lines{"0,2 3="}));
}

TEST(XlsbFormulaText, DamagedOrUnknownTokensKeepTheValueWithoutText) {
  const std::string part =
      RowHeader(2) + Brt(9, XlsbCell(0).F64(1).Raw(Tail(Int(1) + Int(2))).str()) +  // two values left
      Brt(9, XlsbCell(1).F64(2).U16(0).U32(500).Raw(Int(1)).str()) +                // size past the end
      Brt(9, XlsbCell(2).F64(3).U16(0).str()) +                                     // no formula at all
      Brt(9, XlsbCell(3).F64(4).Raw(Tail(Bytes().U8(0x01).U32(0).str())).str());    // PtgExp, no column
  EXPECT_EQ(Formulas(part), (Lines{"2,0 1=", "2,1 2=", "2,2 3=", "2,3 4="}));
}

TEST(XlsbFormulaText, OtherSheetsComeFromTheWorkbookExternSheetList) {
  // BrtSupSelf (this workbook), an external workbook, then BrtExternSheet: XTI 0 = "My Data",
  // XTI 1 = both sheets, XTI 2 = the external workbook, XTI 3 = a sheet that does not exist.
  const std::string workbook = Brt(357, "") + Brt(360, Bytes().U32(0).str()) +
                               Brt(362, Bytes()
                                            .U32(4)
                                            .U32(0)
                                            .U32(1)
                                            .U32(1)
                                            .U32(0)
                                            .U32(0)
                                            .U32(1)
                                            .U32(1)
                                            .U32(0)
                                            .U32(0)
                                            .U32(0)
                                            .U32(5)
                                            .U32(5)
                                            .str());
  const auto ref3d = [](std::uint32_t ixti) {
    return Bytes().U8(0x5A).U16(ixti).U32(1).U16(1 | 0xC000).str();
  };
  const std::string part = RowHeader(0) + Brt(9, XlsbCell(0).F64(1).Raw(Tail(ref3d(0))).str()) +
                           Brt(9, XlsbCell(1).F64(1).Raw(Tail(ref3d(1))).str()) +
                           Brt(9, XlsbCell(2).F64(1).Raw(Tail(ref3d(2))).str()) +
                           Brt(9, XlsbCell(3).F64(1).Raw(Tail(ref3d(3))).str());
  EXPECT_EQ(Formulas(part, workbook),
            (Lines{"0,0 1='My Data'!B2", "0,1 1='Sheet1:My Data'!B2", "0,2 1=", "0,3 1="}));
  EXPECT_EQ(Formulas(part), (Lines{"0,0 1=", "0,1 1=", "0,2 1=", "0,3 1="})) << "without the list";
}

}  // namespace
}  // namespace quorvex::sheet
