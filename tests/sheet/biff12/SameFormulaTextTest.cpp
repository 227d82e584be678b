// The formula text of every formula cell read from the .xls and .xlsb forms of Formulas.xlsx,
// against the text the .xlsx reader gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "sheet/WorkbookOpener.h"

namespace quorvex::sheet {
namespace {

namespace fs = std::filesystem;

using CellKey = std::tuple<std::size_t, std::uint32_t, std::uint32_t>;  // sheet, row, column

class FormulaCollector : public SheetSink {
 public:
  FormulaCollector(std::size_t sheet, std::map<CellKey, std::string>& formulas)
      : sheet_(sheet), formulas_(formulas) {}
  SinkControl OnCell(const Cell& cell) override {
    if (!cell.formula.empty()) formulas_[{sheet_, cell.row, cell.column}] = std::string(cell.formula);
    return SinkControl::kContinue;
  }

 private:
  std::size_t sheet_;
  std::map<CellKey, std::string>& formulas_;
};

std::map<CellKey, std::string> ReadFormulas(const fs::path& path) {
  auto reader = OpenWorkbookFile(path.string());
  std::map<CellKey, std::string> formulas;
  for (std::size_t i = 0; i < reader->workbook().sheets.size(); ++i) {
    FormulaCollector collector(i, formulas);
    reader->ReadSheet(i, collector);
  }
  return formulas;
}

const fs::path kFixtures = QUORVEX_FIXTURES_DIR;

TEST(SameFormulaText, XlsGivesTheXlsxTextForEveryFormulaCell) {
  auto expected = ReadFormulas(kFixtures / "Formulas.xlsx");
  const auto actual = ReadFormulas(kFixtures / "legacy" / "Formulas.xls");
  ASSERT_GE(expected.size(), 15u);
  // What LibreOffice changed when it saved the .xls, adjusted in the .xlsx's text:
  // - B16 "TRUE()" is saved as the constant TRUE, in a shared formula (SHRFMLA) with B17;
  // - B17 and B18, plain boolean cells, are saved as formulas holding the constants TRUE, FALSE;
  // - B22's call of an unknown function is saved as the #N/A constant.
  const CellKey b16{0, 15, 1}, b17{0, 16, 1}, b18{0, 17, 1}, b22{0, 21, 1};
  ASSERT_EQ(expected.at(b16), "TRUE()");
  ASSERT_EQ(expected.count(b17) + expected.count(b18), 0u);
  ASSERT_EQ(expected.at(b22), "nosuchfunction()");
  expected[b16] = "TRUE";
  expected[b17] = "TRUE";
  expected[b18] = "FALSE";
  expected[b22] = "#N/A";
  EXPECT_EQ(actual, expected);
}

TEST(SameFormulaText, XlsbFromSheetJsHoldsNoFormulas) {
  // SheetJS 0.18.5 writes .xlsb cells with their values only (no BrtFmla* records), so the
  // .xlsb form has no formula text to compare; the decompiler's .xlsb tokens are covered by
  // built token arrays.
  EXPECT_TRUE(ReadFormulas(kFixtures / "legacy" / "Formulas.xlsb").empty());
}

TEST(SameFormulaText, Biff5FormulasHaveNoText) {
  // BIFF5 tokens differ in layout from BIFF8 and are not decompiled; the values still read.
  EXPECT_TRUE(ReadFormulas(kFixtures / "legacy" / "Formulas95.xls").empty());
}

}  // namespace
}  // namespace quorvex::sheet
