// Tests for the formula text the .xls reader gives its cells: plain, shared and array formulas,
// references to other sheets and defined names from the globals, and formulas without text.
#include <gtest/gtest.h>

#include "XlsTestFiles.h"

namespace quorvex::sheet {
namespace {

using test_support::BiffSheet;
using test_support::BuildBiffStream;
using test_support::Bytes;
using test_support::CellHead;
using test_support::OneSheet;
using test_support::Record;
using test_support::XlsFile;
using Lines = std::vector<std::string>;

/// "R,C value=formula" for every cell of sheet `position`.
class FormulaLog : public SheetSink {
 public:
  SinkControl OnCell(const Cell& cell) override {
    const std::string value = cell.value.kind == CellKind::kNumber
                                  ? std::to_string(static_cast<int>(cell.value.number))
                                  : std::string(cell.value.text);
    lines.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + " " + value + "=" +
                    std::string(cell.formula));
    return SinkControl::kContinue;
  }
  Lines lines;
};

Lines Formulas(const XlsFile& file, std::size_t position = 0) {
  FormulaLog log;
  file.Open()->ReadSheet(position, log);
  return log.lines;
}

/// A FORMULA record with a number result and the tokens `rgce`.
std::string FormulaRecord(std::uint32_t row, std::uint32_t column, double value, const std::string& rgce) {
  return Record(0x0006, CellHead(row, column)
                            .F64(value)
                            .U16(0)
                            .U32(0)
                            .U16(static_cast<std::uint32_t>(rgce.size()))
                            .Raw(rgce)
                            .str());
}

std::string Exp(std::uint32_t row, std::uint32_t column) {
  return Bytes().U8(0x01).U16(row).U16(column).str();
}
std::string Int(std::uint32_t v) {
  return Bytes().U8(0x1E).U16(v).str();
}
std::string Ref(std::uint32_t row, std::uint32_t column) {
  return Bytes().U8(0x44).U16(row).U16(column | 0xC000).str();
}

/// SHRFMLA for rows r1..r2 of column c holding `rgce`.
std::string SharedFormula(std::uint32_t r1, std::uint32_t r2, std::uint32_t c, const std::string& rgce) {
  return Record(0x04BC, Bytes()
                            .U16(r1)
                            .U16(r2)
                            .U8(c)
                            .U8(c)
                            .U8(0)
                            .U8(2)
                            .U16(static_cast<std::uint32_t>(rgce.size()))
                            .Raw(rgce)
                            .str());
}

TEST(XlsFormulaText, PlainFormulasGiveTheirTextAndOtherCellsNone) {
  const std::string records = Record(0x0203, CellHead(0, 0).F64(4)) +
                              FormulaRecord(0, 1, 5, Ref(0, 0) + Int(1) + std::string(1, '\x03'));
  EXPECT_EQ(Formulas(XlsFile(OneSheet(records))), (Lines{"0,0 4=", "0,1 5=A1+1"}));
}

TEST(XlsFormulaText, SharedFormulasResolveRelativeToEachCell) {
  // B1:B3 share "A<row>*2"; the SHRFMLA record follows the first cell's FORMULA, as Excel writes.
  const std::string shared =
      Bytes().U8(0x4C).U16(0).U16(0xFF | 0xC000).str() + Int(2) + std::string(1, '\x05');
  const std::string records = FormulaRecord(0, 1, 2, Exp(0, 1)) + SharedFormula(0, 2, 1, shared) +
                              FormulaRecord(1, 1, 4, Exp(0, 1)) + FormulaRecord(2, 1, 6, Exp(0, 1)) +
                              FormulaRecord(3, 1, 8, Exp(7, 7));  // names no shared formula
  EXPECT_EQ(Formulas(XlsFile(OneSheet(records))),
            (Lines{"0,1 2=A1*2", "1,1 4=A2*2", "2,1 6=A3*2", "3,1 8="}));
}

TEST(XlsFormulaText, ArrayFormulaTextBelongsToItsFirstCell) {
  const std::string array_tokens =
      Bytes().U8(0x65).U16(0).U16(1).U16(0xC000).U16(0xC000).str() + Bytes().U8(0x42).U8(1).U16(4).str();
  const std::string array = Record(0x0221, Bytes()
                                               .U16(0)
                                               .U16(1)
                                               .U8(2)
                                               .U8(2)
                                               .U16(0)
                                               .U32(0)
                                               .U16(static_cast<std::uint32_t>(array_tokens.size()))
                                               .Raw(array_tokens)
                                               .str());
  const std::string records = FormulaRecord(0, 2, 3, Exp(0, 2)) + array + FormulaRecord(1, 2, 3, Exp(0, 2));
  EXPECT_EQ(Formulas(XlsFile(OneSheet(records))), (Lines{"0,2 3=SUM(A1:A2)", "1,2 3="}));
}

TEST(XlsFormulaText, OtherSheetsAndDefinedNamesComeFromTheGlobals) {
  // SUPBOOK for this workbook (two sheets), EXTERNSHEET: XTI 0 = "My Data", XTI 1 = both sheets,
  // XTI 2 = a sheet that does not exist; NAME "Rate".
  const std::string globals =
      Record(0x01AE, Bytes().U16(2).U16(0x0401).str()) +
      Record(0x0017, Bytes().U16(3).U16(0).U16(1).U16(1).U16(0).U16(0).U16(1).U16(0).U16(9).U16(9).str()) +
      Record(0x0018,
             Bytes().U16(0).U8(0).U8(4).U16(3).U16(0).U16(0).U32(0).U8(0).Raw("Rate").U8(0x1E).U16(5).str());
  const auto ref3d = [](std::uint32_t ixti) {
    return Bytes().U8(0x5A).U16(ixti).U16(1).U16(1 | 0xC000).str();
  };
  const std::string name = Bytes().U8(0x43).U32(1).str();
  const std::string records = FormulaRecord(0, 0, 1, ref3d(0) + name + std::string(1, '\x05')) +
                              FormulaRecord(1, 0, 1, ref3d(1)) + FormulaRecord(2, 0, 1, ref3d(2));
  const XlsFile file(BuildBiffStream(globals, {{"Sheet1", 0, 0, records}, {"My Data", 0, 0, ""}}));
  EXPECT_EQ(Formulas(file), (Lines{"0,0 1='My Data'!B2*Rate", "1,0 1='Sheet1:My Data'!B2", "2,0 1="}));
}

TEST(XlsFormulaText, NewerFunctionsComeFromTheAddInNames) {
  // SUPBOOK 0: this workbook; SUPBOOK 1: add-ins, with EXTERNNAME "_xlfn.IFERROR"; XTI 0 names it.
  const std::string globals =
      Record(0x01AE, Bytes().U16(1).U16(0x0401).str()) + Record(0x01AE, Bytes().U16(1).U16(0x3A01).str()) +
      Record(0x0023, Bytes().U16(0).U32(0).U8(13).U8(0).Raw("_xlfn.IFERROR").U16(2).U8(0x1C).U8(0x17).str()) +
      Record(0x0017, Bytes().U16(1).U16(1).U16(0xFFFE).U16(0xFFFE).str());
  const std::string call =
      Bytes().U8(0x39).U16(0).U32(1).str() + Ref(0, 0) + Int(0) + Bytes().U8(0x42).U8(3).U16(255).str();
  const XlsFile file(BuildBiffStream(globals, {{"Sheet1", 0, 0, FormulaRecord(0, 1, 0, call)}}));
  EXPECT_EQ(Formulas(file), (Lines{"0,1 0=IFERROR(A1,0)"}));
}

TEST(XlsFormulaText, DamagedTokensKeepTheValueWithoutText) {
  const std::string records = FormulaRecord(0, 0, 7, Int(1) + std::string(1, '\x03')) +
                              FormulaRecord(0, 1, 8, Bytes().U8(0x1F).U16(0).str()) +
                              Record(0x0006, CellHead(0, 2).F64(9).U16(0).U32(0).U16(40).Raw("\x1E").str());
  EXPECT_EQ(Formulas(XlsFile(OneSheet(records))), (Lines{"0,0 7=", "0,1 8=", "0,2 9="}));
}

TEST(XlsFormulaText, Biff5FormulasHaveNoText) {
  const std::string records = FormulaRecord(0, 0, 3, Int(1) + Int(2) + std::string(1, '\x03'));
  const XlsFile file(BuildBiffStream({}, {{"Sheet1", 0, 0, records}}, 0x0500));
  EXPECT_EQ(Formulas(file), (Lines{"0,0 3="}));
}

}  // namespace
}  // namespace quorvex::sheet
