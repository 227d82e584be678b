// Fractions: the continued-fraction search, placeholders and literals around the bar.
#include "FormatRows.h"
#include "sheet/numfmt/FractionSearch.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

constexpr double kPi = 3.14159265358979;

struct SearchRow {
  double x;
  std::int64_t max_denominator;
  double numerator;
  std::int64_t denominator;
};

void ExpectSearch(std::span<const SearchRow> rows) {
  for (const SearchRow& row : rows) {
    const Fraction f = ConvergentFraction(row.x, row.max_denominator);
    EXPECT_EQ(f.numerator, row.numerator)
        << std::setprecision(17) << row.x << " up to " << row.max_denominator;
    EXPECT_EQ(f.denominator, row.denominator)
        << std::setprecision(17) << row.x << " up to " << row.max_denominator;
  }
}

TEST(FractionSearch, StopsAtTheLastConvergentThatFits) {
  const SearchRow rows[] = {
      {12.3, 9, 37, 3},             // 12 1/3, not the closer 12 2/7
      {123.456, 9, 247, 2},         // 123 1/2, not 123 4/9
      {1234.567, 999, 119753, 97},  // 1234 55/97, not 1234 512/903
      {0.3, 9, 2, 7},               // the double just below 3/10 continues 0; 3, 2, ...
      {kPi, 99, 22, 7},             // not 311/99
      {kPi, 999, 355, 113},
      {0.1, 9, 0, 1},  // 1/10 does not fit, and 1/9 is no convergent
      {0.1, 99, 1, 10},
      {0.999, 9, 1, 1},
      {0, 9, 0, 1},
      {2.5, 9, 5, 2},
      {12345.6789, 99, 1000000, 81},
      {0.7, 1, 1, 1},
      {1e300, 9, 1e300, 1},
  };
  ExpectSearch(rows);
}

TEST(FractionSearch, StopsEarlyOnceWithinATenTrillionth) {
  const SearchRow rows[] = {
      {0.123251512342345, 999999999, 480894, 3901729},  // 7944113/64454487 would fit
      {12.3456789 - 12, 999999999, 3418802, 9890109},   // so would 3456789/10000000
  };
  ExpectSearch(rows);
}

TEST(FractionFormat, ShowsTheConvergentForTheDigitsAllowed) {
  const FormatRow rows[] = {
      {12.3, "# ?/?", "12 1/3"},
      {-123.456, "# ?/?", "-123 1/2"},
      {1234.567, "# ?\?\?/?\?\?", "1234  55/97 "},
      {-1.2, "# ?/?", "-1 1/5"},
      {123.45, "# ?/?", "123 4/9"},
      {12345.6789, "# ?/?", "12345 2/3"},
      {0.3, "# ?/?", " 2/7"},
      {1.3, "# ?/?", "1 1/3"},
      {2.3, "# ?/?", "2 2/7"},
      {-12.34, "# ?\?/?\?", "-12 17/50"},
      {-123.456, "# ?\?/?\?", "-123 26/57"},
      {1234.567, "# ?\?/?\?", "1234 55/97"},
      {kPi, "# ?\?/?\?", "3  1/7 "},
      {kPi, "# ?\?\?/?\?\?", "3  16/113"},
      {-1234.5678, "# ?\?\?/?\?\?", "-1234  67/118"},
      {-12345.67891, "# ?\?\?/?\?\?", "-12345 573/844"},
      {2.71828182845905, "# ?\?\?/?\?\?", "2 385/536"},
      {0.6875, "# ?\?/?\?", " 11/16"},
      {1234.5, "#,### ?/?", "1,234 1/2"},
      {2.5, "# ?/?\" in\"", "2 1/2 in"},
      // The binary value decides: x.3 lies above or below 3/10 by the magnitude of x.
      {12345678900.3, "# ?/?", "12345678900 2/7"},
      {1234567890000.3, "# ?/?", "1234567890000 1/3"},
      {1234567890.1, "# ?/?", "1234567890    "},
      {1234567890.9, "# ?/?", "1234567891    "},
      {12345678900000.1, "# ?\?\?/?\?\?", "12345678900000  51/512"},
      {12345678900000.3, "# ?\?/?\?", "12345678900000  3/10"},
      // Nine denominator digits: the search stops once the fraction is within 1e-13.
      {0.123251512342345, "# ?\?/?\?\?\?\?\?\?\?\?", " 480894/3901729  "},
      {0.123251512342345, "# ?\? / ?\?\?\?\?\?\?\?\?", " 480894 / 3901729  "},
      {12.3456789, "#\\ ?\?/?\?\?\?\?\?\?\?\?", "12 3418802/9890109  "},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, WithoutWholePartShowsImproperFractions) {
  const FormatRow rows[] = {
      {1.25, "?/?", "5/4"},
      {5.3, "?/?", "37/7"},
      {0, "?/?", "0/1"},
      {123, "?/?", "123/1"},
      {-0.75, "?/?", "-3/4"},
      {1, "?\?/?\?", " 1/1 "},
      {-1.2, "?\?/?\?", "- 6/5 "},
      {12.3, "?\?/?\?", "123/10"},
      {1234.567, "?\?/?\?", "119753/97"},
      {0.00001, "?\?/?\?", " 0/1 "},
      {kPi, "?\?/?\?", "22/7 "},
      {12.3456789, "#?\?/?\?", "1000/81"},
      {12.3456789, "#0#00?\?/?\?", "01000/81"},
      {12.345, "0/0", "37/3"},
      {0, "#/#", "0/1"},
      {1.5, "?/8", "12/8"},
  };
  ExpectRows(rows);
}

TEST(FractionFormat, FixedDenominatorsRoundTheNumerator) {
  const FormatRow rows[] = {
      {0.5, "# ?/8", " 4/8"},
      {1.125, "# ?/8", "1 1/8"},
      {0.25, "# ?\?/100", " 25/100"},
      {0.3, "# ?/4", " 1/4"},
      {0.375, "# ?/4", " 2/4"},
      {0.5, "# ?/16", " 8/16"},
      {0.99, "# ?/8", "1    "},
      {0.006, "# ?\?/100", "  1/100"},
      {2, "# ?\?/100", "2       "},
      {-0.375, "# ?/8", "- 3/8"},
      {-1.2, "# ?/2", "-1    "},
      {123.45, "# ?/4", "123 2/4"},
      {-12.34, "# ?/8", "-12 3/8"},
      {12.3, "# ?\?/16", "12  5/16"},
      {-1.2, "# ?/10", "-1 2/10"},
      {1, "# ?/10", "1     "},
      {-123.456, "# ?\?/100", "-123 46/100"},
  };
  ExpectRows(rows);
}

// A fraction that rounds to nothing is blanked with the literals leading into it; '#'
// placeholders leave nothing, '?' a space, and a '0' anywhere keeps "0/1".
TEST(FractionFormat, WholeNumbersBlankTheFraction) {
  const FormatRow rows[] = {
      {1, "# ?/?", "1    "},
      {0.999, "# ?/?", "1    "},
      {0, "# ?/?", "0    "},
      {0.05, "# ?/?", "0    "},
      {3, "# ?\?/?\?", "3      "},
      {-2, "# ?/?", "-2    "},
      {-0.01, "# ?/?", "-0    "},
      {-0.1, "0 ?/?", "-0    "},
      {0.001, "# ?\?\?/?\?\?", "0        "},
      {-1.001, "# ?\?\?/?\?\?", "-1        "},
      {0.5, "0 ?/?", "0 1/2"},
      {0, "0 0/0", "0 0/1"},
      {1, "0 0/0", "1 0/1"},
      {12.345, "0 0/0", "12 1/3"},
      {0, "? ?/?", "0    "},
      {123, "? ?/?", "123    "},
      {0, "# #/#", "0"},
      {123, "# #/#", "123"},
      {12.345, "# #/#", "12 1/3"},
      {1, "00 00/00", "01 00/01"},
      {12.3456789, "#\"abded\"\\ ?\?/?\?", "12abded 28/81"},
      {0, "#\"abded\"\\ ?\?/?\?", "0           "},
  };
  ExpectRows(rows);
}

// The numerator is the last run of placeholders before the '/', the denominator the first run
// after it; runs further left make the whole part, runs further right show as padding.
TEST(FractionFormat, PlaceholdersSplitAtLiterals) {
  const FormatRow rows[] = {
      {12345.67, "00x00/00", "12345x65/97"},
      {12345.67, "0z0 00/00", "1234z5 65/97"},
      {12345.67, "00 0z0/00", "1234 5z65/97"},
      {12345.67, "00 00/0z0", "12345 02/3z0"},
      {12345.67, "00 0/0", "12345 2/3"},
      {12345.67, "00 ?\?/?z?", "12345  2/3z "},
      {1234567.89, "0,0 0/0", "1,234,567 8/9"},
      {1.2, "# \"h\" ? \"a\" / \"b\" ?", "1 h 1 a / b 5"},
      {1, "# \"h\" ? \"a\" / \"b\" ?", "1            "},
      {1.5, "0\\:0/0", "1:1/2"},
      {1, "0\\:0/0", "1:0/1"},
      {-1.5, "0\\:0/0", "-1:1/2"},
      {1.5, "#_#/#", "3 /2"},                 // "_#" is a space as wide as '#', not a placeholder
      {12.3456789, "# ?\?\\/?\?", "   /12"},  // an escaped '/' is no fraction bar
      {12.3456789, "# ?\?\"/\"?\?", "   /12"},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
