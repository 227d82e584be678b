// Scientific notation and fractions.
#include <cmath>

#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

constexpr double kPi = 3.14159265358979;

TEST(ScientificFormat, ShowsMantissaAndExponent) {
  const FormatRow rows[] = {
      {12345, "0.00E+00", "1.23E+04"},
      {0.000123, "0.00E+00", "1.23E-04"},
      {0, "0.00E+00", "0.00E+00"},
      {-12345, "0.00E+00", "-1.23E+04"},
      {1, "0.00E+00", "1.00E+00"},
      {9.999, "0.00E+00", "1.00E+01"},  // rounding carries into the exponent
      {1e100, "0.00E+00", "1.00E+100"},
      {1.5e-100, "0.00E+00", "1.50E-100"},
      {123456789, "0.00E+00", "1.23E+08"},
      {12345, "0.00E-00", "1.23E04"},
      {0.000123, "0.00E-00", "1.23E-04"},
      {1e10, "0.0E+0", "1.0E+10"},
      {0.5, "0.0E+0", "5.0E-1"},
      {12345, "0E+0", "1E+4"},
      {15000, "0E+0", "2E+4"},
      {1234, "0.00E+00\" m\"", "1.23E+03 m"},
      {-12345, "0.00E+00;(0.00E+00)", "(1.23E+04)"},
      // 1,950,000,000,000 in the ways Excel's documentation of E+ codes shows it.
      {1950000000000, "0.00E+00", "1.95E+12"},
      {1950000000000, "0.00E+000", "1.95E+012"},
      {1950000000000, "#.###E+00", "1.95E+12"},
      {1950000000000, "0.000E+00", "1.950E+12"},
  };
  ExpectRows(rows);
}

TEST(ScientificFormat, IntegerPlaceholdersSetTheExponentStep) {
  const FormatRow rows[] = {
      {12345, "##0.0E+0", "12.3E+3"},
      {1234567, "##0.0E+0", "1.2E+6"},
      {0.001, "##0.0E+0", "1.0E-3"},
      {0.01, "##0.0E+0", "10.0E-3"},
      {123, "##0.0E+0", "123.0E+0"},
      {999.96, "##0.0E+0", "1.0E+3"},
      {0, "##0.0E+0", "0.0E+0"},
      {-12345, "##0.0E+0", "-12.3E+3"},
  };
  ExpectRows(rows);
}

// Each run of integer placeholders sets the exponent step, '0' or '#' alike; '0' pads the mantissa.
TEST(ScientificFormat, ZeroPlaceholdersAlsoSetTheExponentStep) {
  const FormatRow rows[] = {
      {12345, "00.00E+00", "01.23E+04"},
      {1234, "00.00E+00", "12.34E+02"},
      {0, "00.00E+00", "00.00E+00"},
      {0.012345, "00.00E+00", "01.23E-02"},
      {12345, "#0.0E+0", "1.2E+4"},
      {123456, "#0.0E+0", "12.3E+4"},
      {0.00012345, "##0.0E+0", "123.5E-6"},  // 15-digit value 0.00012345: half rounds up
      {1e-7, "##0.0E+0", "100.0E-9"},
      {999999, "##0.0E+0", "1.0E+6"},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, ChoosesTheClosestFractionForTheDigitsAllowed) {
  const FormatRow rows[] = {
      {1.25, "# ?/?", "1 1/4"},
      {0.5, "# ?/?", " 1/2"},
      {2.75, "# ?/?", "2 3/4"},
      {0.3, "# ?/?", " 2/7"},
      {0.333, "# ?/?", " 1/3"},
      {kPi, "# ?/?", "3 1/7"},
      {kPi, "# ?\?/?\?", "3 14/99"},
      {kPi, "# ??\?/??\?", "3  16/113"},
      {1.5, "# ?\?/?\?", "1  1/2 "},
      {0.75, "?\?/?\?", " 3/4 "},
      {-1.25, "# ?/?", "-1 1/4"},
      {-1.5, "# ?/?;(# ?/?)", "(1 1/2)"},
      {0.5, "0 ?/?", "0 1/2"},
      {1234.5, "#,### ?/?", "1,234 1/2"},
      {2.5, "# ?/?\" in\"", "2 1/2 in"},
      {0.6875, "# ?\?/?\?", " 11/16"},
  };
  ExpectRows(rows);
}

// The closest fraction may be a semiconvergent of the continued fraction, not only a convergent.
TEST(FractionFormat, BestApproximationIncludesSemiconvergents) {
  const FormatRow rows[] = {
      {3.14159, "# ?\?/?\?", "3 14/99"},          // 14/99 beats the convergent 1/7
      {2.71828182845905, "# ??\?/??\?", "2 385/536"},
      {5.3, "?/?", "37/7"},
      {0.001, "# ??\?/??\?", "   1/999"},
      {-1.001, "# ??\?/??\?", "-1   1/999"},
      {0.1, "# ??\?/??\?", "   1/10 "},
      {0.3, "# ?/?", " 2/7"},
      {-0.1, "0 ?/?", "-0 1/9"},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, WithoutIntegerPartShowsImproperFractions) {
  const FormatRow rows[] = {
      {1.25, "?/?", "5/4"},
      {0.5, "?/?", "1/2"},
      {2, "?/?", "2/1"},
      {0, "?/?", "0/1"},
      {-0.75, "?/?", "-3/4"},
      {kPi, "?\?/?\?", "311/99"},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, FixedDenominatorsAreNotReduced) {
  const FormatRow rows[] = {
      {0.5, "# ?/8", " 4/8"},
      {1.125, "# ?/8", "1 1/8"},
      {0.25, "# ?\?/100", " 25/100"},
      {1.333, "# ?\?/100", "1 33/100"},
      {0.3, "# ?/4", " 1/4"},
      {0.375, "# ?/4", " 2/4"},  // 1.5 quarters round up
      {1.5, "?/8", "12/8"},
      {0.5, "# ?/16", " 8/16"},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, FixedDenominatorsRoundTheNumerator) {
  const FormatRow rows[] = {
      {0.99, "# ?/8", "1    "},  // 7.92 eighths round to a whole number
      {0.006, "# ?\?/100", "  1/100"},
      {2, "# ?\?/100", "2       "},
      {0.3, "# ?/8", " 2/8"},
      {-0.375, "# ?/8", "- 3/8"},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, WholeNumbersBlankTheFraction) {
  const FormatRow rows[] = {
      {1, "# ?/?", "1    "},
      {0.999, "# ?/?", "1    "},
      {0, "# ?/?", "0    "},
      {0.05, "# ?/?", "0    "},  // closer to 0/1 than to 1/9
      {3, "# ?\?/?\?", "3      "},
      {-2, "# ?/?", "-2    "},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
