// Tests for the UTF-8 helpers and the bounded string table: repairs, UTF-16 lengths, caps.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "sheet/container/StringTable.h"
#include "sheet/container/Utf8.h"

namespace quorvex::sheet::container {
namespace {

TEST(Utf8, ReplacesEachMaximalIllFormedSubsequenceOnce) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80", "\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80"},
      {"a\xFF"
       "b",
       "a\uFFFDb"},
      {"\xE2\x82"
       "A",
       "\uFFFDA"},                             // a character cut short
      {"\xF0\x9F\x98", "\uFFFD"},              // cut short at the very end
      {"\xC0\xAF", "\uFFFD\uFFFD"},            // overlong lead bytes never start a character
      {"\xE0\x80\xAF", "\uFFFD\uFFFD\uFFFD"},  // overlong three-byte form
      {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},  // a surrogate
      {"\x80\x80", "\uFFFD\uFFFD"},            // stray continuation bytes
      {"12345678\xFE"
       "12345678",
       "12345678\uFFFD12345678"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(RepairUtf8(input), expected) << input;
    EXPECT_EQ(IsValidUtf8(input), input == expected) << input;
    std::string in_place = "keep\xFF" + input;
    RepairUtf8InPlace(in_place, 5);
    EXPECT_EQ(in_place, "keep\xFF" + expected) << input;
  }
}

TEST(Utf8, MeasuresPrefixesInUtf16CodeUnits) {
  EXPECT_EQ(PrefixWithinUtf16Units("abcdef", 4), 4u);
  EXPECT_EQ(PrefixWithinUtf16Units("\xC3\xA9\xC3\xA9", 1), 2u);
  EXPECT_EQ(PrefixWithinUtf16Units("a\xF0\x9F\x98\x80"
                                   "b",
                                   2),
            1u);  // never half a surrogate pair
  EXPECT_EQ(PrefixWithinUtf16Units("a\xF0\x9F\x98\x80"
                                   "b",
                                   3),
            5u);
  EXPECT_EQ(PrefixWithinUtf16Units("", 3), 0u);
}

TEST(StringTable, CutsStringsToWhatACellHoldsAndKeepsToItsBudget) {
  StringTable table(120000);
  ASSERT_TRUE(table.Add(std::string(40000, 'x')));
  std::string emoji;
  for (int i = 0; i < 20000; ++i) emoji += "\xF0\x9F\x98\x80";
  ASSERT_TRUE(table.Add(emoji));
  ASSERT_TRUE(table.Add("short"));
  EXPECT_EQ(table[0].size(), StringTable::kMaxCharacters);
  EXPECT_EQ(table[1].size(), 4u * (StringTable::kMaxCharacters / 2));
  EXPECT_EQ(table[2], "short");
  // 32767 + 65532 + 5 + 1000 bytes held; another (cut) 32767 would pass the budget.
  EXPECT_TRUE(table.Add(std::string(1000, 'y')));
  EXPECT_FALSE(table.Add(std::string(200000, 'z')));
  EXPECT_EQ(table.size(), 4u);
}

TEST(StringTable, BudgetOfAZipPartGrowsWithItsCompressedSize) {
  EXPECT_EQ(StringTable::BudgetForCompressedPart(0), StringTable::kMinBudget);
  EXPECT_EQ(StringTable::BudgetForCompressedPart(std::uint64_t{3} << 20), StringTable::kMinBudget);
  EXPECT_EQ(StringTable::BudgetForCompressedPart(std::uint64_t{10} << 20), std::uint64_t{640} << 20);
  EXPECT_EQ(StringTable::BudgetForCompressedPart(std::uint64_t{1} << 40), StringTable::kDefaultBudget);
  EXPECT_EQ(StringTable::BudgetForCompressedPart(~std::uint64_t{0}), StringTable::kDefaultBudget);
}

}  // namespace
}  // namespace quorvex::sheet::container
