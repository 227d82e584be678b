// Tests of rewriting A1 formula text with R1C1 references.
#include <gtest/gtest.h>

#include <string>

#include "sheet/writers/FormulaR1C1.h"

namespace quorvex::sheet {
namespace {

struct FormulaRow {
  std::string a1;
  std::uint32_t row;
  std::uint32_t column;
  std::string r1c1;
};

TEST(FormulaR1C1, RewritesReferencesRelativeToTheCell) {
  const FormulaRow rows[] = {
      {"A1", 0, 0, "=RC"},
      {"B3", 0, 0, "=R[2]C[1]"},
      {"A1", 4, 2, "=R[-4]C[-2]"},
      {"$A$1", 5, 5, "=R1C1"},
      {"$A1", 2, 3, "=R[-2]C1"},
      {"A$1", 2, 3, "=R1C[-3]"},
      {"SUM(A1:B2)", 2, 2, "=SUM(R[-2]C[-2]:R[-1]C[-1])"},
      {"Inputs!B2*2", 0, 1, "=Inputs!R[1]C*2"},
      {"'My Sheet'!$B$2+'It''s'!A1", 0, 0, "='My Sheet'!R2C2+'It''s'!RC"},
      {"\"A1\"&A1", 0, 0, "=\"A1\"&RC"},
      {"LOG10(A1)", 0, 0, "=LOG10(RC)"},
      {"SUM(A:A)", 0, 1, "=SUM(C[-1]:C[-1])"},
      {"SUM($B:$C)", 0, 0, "=SUM(C2:C3)"},
      {"SUM(2:3)", 0, 0, "=SUM(R[1]:R[2])"},
      {"1E+5+A1", 0, 0, "=1E+5+RC"},
      {"TRUE", 0, 0, "=TRUE"},
      {"IF(A1>0,\"yes\",\"no\")", 1, 0, "=IF(R[-1]C>0,\"yes\",\"no\")"},
      {"XFE1+ABCD1", 0, 0, "=XFE1+ABCD1"},  // beyond the last column: a name
      {"Table1[Amount]", 0, 0, "=Table1[Amount]"},
      {"A0", 0, 0, "=A0"},
  };
  for (const FormulaRow& row : rows) {
    EXPECT_EQ(FormulaToR1C1(row.a1, row.row, row.column), row.r1c1) << row.a1;
  }
}

}  // namespace
}  // namespace quorvex::sheet
