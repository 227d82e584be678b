// Scientific notation: mantissa, exponent sign and digits, engineering steps.
#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

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
      {12345, "##0.0E+0", "12.3E+3"}, {1234567, "##0.0E+0", "1.2E+6"},  {0.001, "##0.0E+0", "1.0E-3"},
      {0.01, "##0.0E+0", "10.0E-3"},  {123, "##0.0E+0", "123.0E+0"},    {999.96, "##0.0E+0", "1.0E+3"},
      {0, "##0.0E+0", "0.0E+0"},      {-12345, "##0.0E+0", "-12.3E+3"},
  };
  ExpectRows(rows);
}

// Each run of integer placeholders sets the exponent step, '0' or '#' alike; '0' pads the mantissa.
TEST(ScientificFormat, ZeroPlaceholdersAlsoSetTheExponentStep) {
  const FormatRow rows[] = {
      {12345, "00.00E+00", "01.23E+04"},    {1234, "00.00E+00", "12.34E+02"}, {0, "00.00E+00", "00.00E+00"},
      {0.012345, "00.00E+00", "01.23E-02"}, {12345, "#0.0E+0", "1.2E+4"},     {123456, "#0.0E+0", "12.3E+4"},
      {0.00012345, "##0.0E+0", "123.5E-6"},  // 15-digit value 0.00012345: half rounds up
      {1e-7, "##0.0E+0", "100.0E-9"},       {999999, "##0.0E+0", "1.0E+6"},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
