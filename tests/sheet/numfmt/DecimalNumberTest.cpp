// DecimalNumber: the 15 significant digits a cell shows, by the quick paths and the general one.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "sheet/numfmt/DecimalNumber.h"

namespace quorvex::sheet::numfmt {
namespace {

/// "0.d1d2...dn x 10^e" as digits and exponent, for comparing with an expected decimal.
std::string Describe(const DecimalNumber& d) {
  std::string text;
  for (int i = 0; i < d.size(); ++i) text.push_back(static_cast<char>('0' + d.Digit(i)));
  return text + "e" + std::to_string(d.exponent());
}

/// The same form for n / 10^decimals, written out from the integer n.
std::string Expected(std::uint64_t n, int decimals) {
  std::string digits = std::to_string(n);
  const int exponent = static_cast<int>(digits.size()) - decimals;
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits + "e" + std::to_string(exponent);
}

// Values of up to 15 digits with a few decimals are the doubles nearest to n / 10^k; whichever
// path FromDouble takes (the scaled product or the shortest form), the digits must be those of n.
TEST(DecimalNumber, DecimalValuesGiveExactlyTheirDigits) {
  std::mt19937_64 generator(7);
  for (const int decimals : {0, 1, 2, 3, 4, 6, 8}) {
    for (const int length : {1, 3, 7, 10, 12, 14, 15}) {
      const auto limit = static_cast<std::uint64_t>(std::pow(10.0, length));
      std::uniform_int_distribution<std::uint64_t> pick(1, limit - 1);
      for (int round = 0; round < 300; ++round) {
        const std::uint64_t n = pick(generator);
        const double value = static_cast<double>(n) / std::pow(10.0, decimals);
        EXPECT_EQ(Describe(DecimalNumber::FromDouble(value)), Expected(n, decimals))
            << n << " / 10^" << decimals;
      }
    }
  }
}

/// The digits by definition: the shortest round-trip form, rounded half up to 15 digits.
std::string ShortestRounded(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string text(buffer, end);
  const std::size_t e = text.find('e');
  std::string digits;
  for (std::size_t i = 0; i < e; ++i) {
    if (text[i] != '.') digits.push_back(text[i]);
  }
  int exponent = std::stoi(text.substr(e + 1)) + 1;
  if (digits.size() > 15) {
    const bool up = digits[15] >= '5';
    digits.resize(15);
    int i = 14;
    for (; up && i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (up && i >= 0) ++digits[i];
    if (up && i < 0) {
      digits = "1";
      ++exponent;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits + "e" + std::to_string(exponent);
}

// The digits come from a scaled product where its rounding is certain and from the shortest
// form otherwise; both must agree with the definition on millions of values of every kind:
// random doubles, short and long decimals, and values next to a rounding boundary.
TEST(DecimalNumber, DigitsAreTheShortestFormRoundedOnMillionsOfValues) {
  std::mt19937_64 generator(15);
  std::uniform_real_distribution<double> exponent(-10, 17);
  std::uniform_int_distribution<std::uint64_t> fifteen(100000000000000, 999999999999999);
  std::uniform_int_distribution<int> shift(0, 20);
  std::uniform_int_distribution<int> length(1, 17);
  const auto check = [](double value) {
    ASSERT_EQ(Describe(DecimalNumber::FromDouble(value)), ShortestRounded(value)) << std::hexfloat << value;
  };
  for (int round = 0; round < 1'000'000; ++round) {
    check(std::pow(10.0, exponent(generator)));
    // A decimal of up to 17 digits, as files write them.
    const int digits = length(generator);
    const auto limit = static_cast<std::uint64_t>(std::pow(10.0, digits));
    const double decimal = static_cast<double>(generator() % limit) / std::pow(10.0, shift(generator));
    if (decimal > 0) check(decimal);
    // Half way between two 15-digit values, and its neighbours.
    const double half = (static_cast<double>(fifteen(generator)) + 0.5) / std::pow(10.0, shift(generator));
    check(half);
    check(std::nextafter(half, 0.0));
    check(std::nextafter(half, 1e300));
  }
  for (double power = 1e-12; power < 1e18; power *= 10) {
    for (const double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)}) check(value);
  }
}

TEST(DecimalNumber, KeepsFifteenSignificantDigits) {
  EXPECT_EQ(Describe(DecimalNumber::FromDouble(0.1 + 0.2)), "3e0");
  EXPECT_EQ(Describe(DecimalNumber::FromDouble(1.0 / 3)), "333333333333333e0");
  EXPECT_EQ(Describe(DecimalNumber::FromDouble(123456789012345678.0)), "123456789012346e18");
  EXPECT_EQ(Describe(DecimalNumber::FromDouble(-2.5)), "25e1");
  EXPECT_EQ(Describe(DecimalNumber::FromDouble(0)), "e0");
}

TEST(DecimalNumber, RoundsHalfAwayFromZeroAndCarries) {
  DecimalNumber d = DecimalNumber::FromDouble(2.675);
  d.RoundToDecimals(2);
  EXPECT_EQ(Describe(d), "268e1");
  d = DecimalNumber::FromDouble(999.995);
  d.RoundToDecimals(2);
  EXPECT_EQ(Describe(d), "1e4");
  d = DecimalNumber::FromDouble(0.004);
  d.RoundToDecimals(2);
  EXPECT_TRUE(d.IsZero());
  d = DecimalNumber::FromDouble(123456);
  d.RoundToSignificant(2);
  EXPECT_EQ(Describe(d), "12e6");
}

}  // namespace
}  // namespace quorvex::sheet::numfmt
