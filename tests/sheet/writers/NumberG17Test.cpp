// Tests of numbers written as printf's "%.17g" writes them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sheet/writers/NumberG17.h"
#include "sheet/writers/PieceWriter.h"

namespace quorvex::sheet {
namespace {

std::string G17(double value) {
  char text[kNumberG17Size];
  return {text, WriteNumberG17(text, value)};
}

std::string Printf(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

TEST(NumberG17, WritesWhatPrintfWrites) {
  const std::pair<double, const char*> rows[] = {
      {0.0, "0"},
      {-0.0, "-0"},
      {1.0, "1"},
      {-2.5, "-2.5"},
      {0.1, "0.10000000000000001"},
      {72655.94, "72655.940000000002"},
      {686122591281.12, "686122591281.12"},
      {0.0001, "0.0001"},
      {0.00001, "1.0000000000000001e-05"},
      {1e16, "10000000000000000"},
      {1e17, "1e+17"},
      {123456789012345678.0, "1.2345678901234568e+17"},
      {2251799813685247.25, "2251799813685247.2"},  // a tie, kept even
      {2251799813685247.75, "2251799813685247.8"},  // a tie, rounded up to even
      {9.99999999999999999e-5, "0.0001"},           // rounds up into the next decade
      {5e-324, "4.9406564584124654e-324"},
      {1.7976931348623157e308, "1.7976931348623157e+308"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
  };
  for (const auto& [value, text] : rows) {
    EXPECT_EQ(G17(value), text) << text;
    EXPECT_EQ(Printf(value), text) << text;  // the table itself is right
  }
}

// Values where the 17th digit is decided by a hair: decimals with an 18th digit of 5, and the
// doubles either side of them, across the exponents the exact arithmetic handles and beyond.
std::vector<double> RoundingBoundaries(std::mt19937_64& random, int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) {
    char text[64];
    const std::uint64_t digits = 10'000'000'000'000'000 + random() % 90'000'000'000'000'000;
    const int exponent = static_cast<int>(random() % 40) - 20;
    std::snprintf(text, sizeof text, "%llu5e%d", static_cast<unsigned long long>(digits), exponent - 17);
    const double value = std::strtod(text, nullptr);
    values.insert(values.end(), {value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)});
  }
  return values;
}

TEST(NumberG17, AgreesWithPrintfAcrossTheDoubles) {
  std::mt19937_64 random(17);
  std::vector<double> values = RoundingBoundaries(random, 30000);
  for (int i = 0; i < 100000; ++i) values.push_back(std::bit_cast<double>(random()));  // any bits
  std::uniform_real_distribution<double> decade(-14.0, 19.0);
  for (int i = 0; i < 100000; ++i) values.push_back(std::pow(10.0, decade(random)));
  for (int i = 0; i < 20000; ++i) {
    // Exact binary fractions and integers, where ties to even decide.
    const double whole = static_cast<double>(random() >> (11 + random() % 40));
    for (int k = 0; k <= 4; ++k) values.push_back(std::ldexp(whole, -k));
  }
  for (int e = -1075; e <= 1024; ++e) {
    const double power = std::ldexp(1.0, e);
    values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e308)});
  }
  for (int e = -325; e <= 309; ++e) {
    const double power = std::pow(10.0, e);
    values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e308)});
  }
  int mismatches = 0;
  for (const double value : values) {
    if (G17(value) == Printf(value) && G17(-value) == Printf(-value)) continue;
    ADD_FAILURE() << Printf(value) << " written as " << G17(value);
    if (++mismatches == 10) break;
  }
}

TEST(PieceWriter, GathersPartsAndLongTextInOrder) {
  std::string out = "<";
  PieceWriter piece(out);
  piece.Put("a").PutDecimal(0).PutDecimal(18446744073709551615U).Put(" ");
  piece.PutDigits(7, 4).PutDigits(12345, 2).PutDigits(0, 3).Put(" ").PutNumberG17(0.1);
  const std::string long_text(PieceWriter::kCapacity + 1, 'x');
  for (int i = 0; i < 3; ++i) piece.Put(long_text).Put("|");  // past the buffer, more than once
  piece.Flush();
  std::string expected = "<a018446744073709551615 000712345000 0.10000000000000001";
  for (int i = 0; i < 3; ++i) expected += long_text + "|";
  EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace quorvex::sheet
