// ParseNumberText: exactly std::from_chars's doubles, by the quick path or the general one.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "sheet/ooxml/NumberText.h"

namespace quorvex::sheet::ooxml {
namespace {

void ExpectSameAsFromChars(const std::string& text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool accepted =
      result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value);
  const std::optional<double> got = ParseNumberText(text);
  ASSERT_EQ(got.has_value(), accepted) << text;
  if (accepted) {
    ASSERT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(value)) << text;
  }
}

TEST(NumberText, AgreesWithFromCharsOnEdgeCases) {
  for (const char* text : {"0",
                           "-0",
                           "-0.0",
                           "7",
                           "0.1",
                           "0.7968",
                           "72655.94",
                           "999999999999999",
                           "9999999999999999",
                           "0.000000000000001",
                           "12345678901234.5",
                           "9007199254740993",
                           "1.",
                           ".5",
                           "-.5",
                           "-",
                           "",
                           ".",
                           "+1",
                           "1e5",
                           "1E-7",
                           "1.5e308",
                           "1e309",
                           "0x10",
                           "1 ",
                           " 1",
                           "1.2.3",
                           "--1",
                           "-1-",
                           "inf",
                           "nan",
                           "12a",
                           "000000000000001.5"}) {
    ExpectSameAsFromChars(text);
  }
}

// Most of these take the quick path, the longer ones the general one: every one must give the
// bits from_chars gives.
TEST(NumberText, AgreesWithFromCharsOnMillionsOfDecimals) {
  std::mt19937_64 generator(14);
  std::uniform_int_distribution<int> length(1, 17);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int round = 0; round < 2'000'000; ++round) {
    std::string text = round % 3 == 0 ? "-" : "";
    const int digits = length(generator);
    const int point = std::uniform_int_distribution<int>(0, digits)(generator);
    for (int i = 0; i < digits; ++i) {
      if (i == point && i > 0) text.push_back('.');
      text.push_back(static_cast<char>('0' + digit(generator)));
    }
    ExpectSameAsFromChars(text);
  }
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
