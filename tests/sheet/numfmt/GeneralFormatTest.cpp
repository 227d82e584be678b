// General: up to eleven characters, display rounding, scientific form for very large and small values.
#include <cmath>
#include <limits>

#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

TEST(GeneralFormat, ShowsNumbersInElevenCharacters) {
  const FormatRow rows[] = {
      {0, "General", "0"},
      {-0.0, "General", "0"},
      {1, "General", "1"},
      {-1, "General", "-1"},
      {123, "General", "123"},
      {0.5, "General", "0.5"},
      {-0.5, "General", "-0.5"},
      {0.1, "General", "0.1"},
      {0.1 + 0.2, "General", "0.3"},
      {1.0 / 3, "General", "0.333333333"},
      {2.0 / 3, "General", "0.666666667"},
      {-2.0 / 3, "General", "-0.666666667"},
      {1000000.0 / 3, "General", "333333.3333"},
      {1234567.891234, "General", "1234567.891"},
      {123456.7890123, "General", "123456.789"},
      {12345.678901, "General", "12345.6789"},
      {3.14159265358979, "General", "3.141592654"},
      {-3.14159265358979, "General", "-3.141592654"},
      {9.99999999999, "General", "10"},
      {0.999999999999, "General", "1"},
      {1234567890.5, "General", "1234567891"},
      {12345678901, "General", "12345678901"},
      {-12345678901, "General", "-12345678901"},
      {99999999999, "General", "99999999999"},
      {1.0 / 300, "General", "0.003333333"},
      {1.0 / 3000, "General", "0.000333333"},
      {0.000123456789, "General", "0.000123457"},
      {0.0001, "General", "0.0001"},
      {0.00001, "General", "0.00001"},
      {0.00001234, "General", "0.00001234"},
      {1e-9, "General", "0.000000001"},
      {1.5, "[Red]General", "1.5"},
  };
  ExpectRows(rows);
}

TEST(GeneralFormat, SwitchesToScientificWhenDigitsDoNotFit) {
  const FormatRow rows[] = {
      {123456789012, "General", "1.23457E+11"},
      {-123456789012, "General", "-1.23457E+11"},
      {100000000000, "General", "1E+11"},
      {99999999999.5, "General", "1E+11"},
      {1e15, "General", "1E+15"},
      {9007199254740992.0, "General", "9.0072E+15"},
      {1.23456789e20, "General", "1.23457E+20"},
      {-1.23456789e20, "General", "-1.23457E+20"},
      {1e100, "General", "1E+100"},
      {std::numeric_limits<double>::max(), "General", "1.79769E+308"},
      {1e-10, "General", "1E-10"},
      {-1e-10, "General", "-1E-10"},
      {1.5e-9, "General", "1.5E-09"},
      {0.0000123456, "General", "1.23456E-05"},
      {1.0 / 30000, "General", "3.33333E-05"},
      {0.0000012345, "General", "1.2345E-06"},
      {1e-300, "General", "1E-300"},
      {2.2250738585072014e-308, "General", "2.22507E-308"},
  };
  ExpectRows(rows);
}

// The eleven characters hold digits and the decimal point; a minus sign comes on top, so a
// negative number shows exactly the digits of its magnitude.
TEST(GeneralFormat, MinusSignComesOnTopOfTheElevenCharacters) {
  const FormatRow rows[] = {
      {-12345678901, "General", "-12345678901"},
      {-99999999999, "General", "-99999999999"},
      {-99999999999.5, "General", "-1E+11"},
      {-123456789012, "General", "-1.23457E+11"},
      {-0.123456789012, "General", "-0.123456789"},
      {-1234567890.5, "General", "-1234567891"},
      {-123456.7890123, "General", "-123456.789"},
      {-0.000123456789, "General", "-0.000123457"},
      {-0.00001234, "General", "-0.00001234"},
      {-0.0000123456, "General", "-1.23456E-05"},
      {-1e-10, "General", "-1E-10"},
  };
  ExpectRows(rows);
}

TEST(GeneralFormat, SectionsOfGeneralKeepTheirRoles) {
  const FormatRow rows[] = {
      {-5, "General;(General)", "(5)"},
      {5, "General;(General)", "5"},
      {-5, "General;-General", "-5"},
      {0, "General;-General;\"nil\"", "nil"},
  };
  ExpectRows(rows);
}

TEST(GeneralFormat, NonFiniteNumbersShowAsNumberError) {
  const auto general = NumberFormat::General();
  EXPECT_EQ(general->Render(CellValue::Number(std::numeric_limits<double>::infinity()), false), "#NUM!");
  EXPECT_EQ(general->Render(CellValue::Number(std::nan("")), false), "#NUM!");
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
