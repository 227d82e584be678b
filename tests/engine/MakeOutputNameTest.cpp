// Tests of the output file naming rules, the repair step and the random fallbacks.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/ClockRandomSource.h"
#include "engine/MakeOutputName.h"
#include "support/RecordingControls.h"
#include "support/ScriptedRandomSource.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using testing::ScriptedRandomSource;

class MakeOutputNameTest : public ::testing::Test {
 protected:
  // Names sheet `sheet` of a workbook listed as row 1 with text `workbook`.
  std::string Name(int mode, const std::string& workbook, const std::string& sheet) {
    controls_.ClearWorkbookRows();
    controls_.AddWorkbookRow(workbook, true);
    controls_.SetNamingMode(mode);
    return MakeOutputName(context_, 1, sheet);
  }

  EngineState state_;
  RecordingControls controls_;
  ScriptedRandomSource random_;
  EngineContext context_{state_, controls_, nullptr, random_};
};

struct NamingCase {
  int mode;
  std::string workbook;
  std::string sheet;
  std::string expected;
};

TEST_F(MakeOutputNameTest, FollowsTheSelectedRule) {
  const NamingCase cases[] = {
      {0, "Sales.xls", "January", "January"},
      {0, "Sales.xls", "SALES", "Sales_SALES"},
      {0, "sales.xls", "Sales", "sales_Sales"},
      {0, "Sales", "Sales", "Sales_Sales"},
      {1, "Sales 2010.xls", "Jan", "Sales 2010_Jan"},
      {1, "Data.2010.xls", "Jan", "Data.2010_Jan"},
      {0, "Book.xls", "a:b", "ab"},
      {0, "Book.xls", "Q1 \"final\" <draft>|v2", "Q1 final draftv2"},
      {0, "Book.xls", "Jan. 2010", "Jan. 2010"},
      {0, "Übersicht.xls", "ÜBERSICHT", "Übersicht_ÜBERSICHT"},
      {0, "Отчёт.xls", "ОТЧЁТ", "Отчёт_ОТЧЁТ"},
      {0, "Σύνοψη.xls", "ΣΎΝΟΨΗ", "Σύνοψη_ΣΎΝΟΨΗ"},
      {-1, "Book.xls", "Book", "Book"},
      {7, "Book.xls", "Book", "Book"},
  };
  for (const NamingCase& c : cases) {
    EXPECT_EQ(Name(c.mode, c.workbook, c.sheet), c.expected) << c.mode << " " << c.workbook << " " << c.sheet;
  }
  EXPECT_EQ(random_.draws(), 0u);
  EXPECT_EQ(state_.SequenceCounter(), 0);
}

TEST_F(MakeOutputNameTest, NumberedRuleCountsAndAvoidsTheWorkbookName) {
  EXPECT_EQ(Name(2, "Sales.xls", "a"), "1");
  EXPECT_EQ(Name(2, "Sales.xls", "b"), "2");
  EXPECT_EQ(Name(2, "Sales.xls", "c"), "3");
  EXPECT_EQ(state_.SequenceCounter(), 3);

  state_.SetSequenceCounter(1);
  EXPECT_EQ(Name(2, "2.xls", "second"), "2_2");
  EXPECT_EQ(random_.draws(), 0u) << "a one-character number is its rule's own name";
}

TEST_F(MakeOutputNameTest, NumberedRuleContinuesFromTheCounter) {
  state_.SetSequenceCounter(41);
  EXPECT_EQ(Name(2, "Book.xls", "x"), "42");
}

TEST_F(MakeOutputNameTest, RepairRemovesPathSeparatorsAndControlCharacters) {
  const NamingCase cases[] = {
      {0, "Book.xls", "../../etc/passwd", "....etcpasswd"},
      {0, "Book.xls", "a\\b/c", "abc"},
      {0, "Book.xls", "tab\there\x7f\n", "tabhere"},
      {1, "Book.xls", "x/y", "Book_xy"},
  };
  for (const NamingCase& c : cases) {
    EXPECT_EQ(Name(c.mode, c.workbook, c.sheet), c.expected) << c.sheet;
  }
}

TEST_F(MakeOutputNameTest, NameShortenedToOneCharacterGetsASmallNumber) {
  random_ = ScriptedRandomSource({0.56});
  EXPECT_EQ(Name(0, "Book.xls", "x>"), "x57");
  EXPECT_EQ(random_.draws(), 1u);
}

TEST_F(MakeOutputNameTest, CountsCharactersNotBytesWhenANameIsShortened) {
  random_ = ScriptedRandomSource({0.56});
  EXPECT_EQ(Name(0, "Book.xls", "ä:"), "ä57");
  EXPECT_EQ(Name(0, "Book.xls", "ä"), "ä");
  EXPECT_EQ(Name(0, "Book.xls", "äb:"), "äb");
  EXPECT_EQ(random_.draws(), 1u);
}

TEST_F(MakeOutputNameTest, UnusableNamesBecomeRandomNumbers) {
  struct RandomCase {
    std::string sheet;
    std::vector<double> draws;
    std::string expected;
  };
  const RandomCase cases[] = {
      {" Jan", {0.123456}, "123457"},          // begins with a space
      {"", {0.5}, "500001"},                   // empty
      {"<>", {0.000004, 0.99}, "5100"},        // one digit left: a second number follows
      {".", {0.25}, "250001"},                 // would name the folder itself
      {"..", {0.0, 0.7}, "171"},               // would name the parent
      {"/", {0.75}, "750001"},                 // nothing but a separator
      {"\x01\x02", {0.999999999}, "1000000"},  // nothing but control characters
  };
  for (const RandomCase& c : cases) {
    random_ = ScriptedRandomSource(c.draws);
    EXPECT_EQ(Name(0, "Book.xls", c.sheet), c.expected) << c.sheet;
    EXPECT_EQ(random_.draws(), c.draws.size()) << c.sheet;
  }
}

TEST_F(MakeOutputNameTest, RandomNumbersStayWithinTheirRanges) {
  random_ = ScriptedRandomSource({0.0, 0.0, std::nextafter(1.0, 0.0)});
  EXPECT_EQ(Name(0, "Book.xls", "|"), "11");
  EXPECT_EQ(Name(0, "Book.xls", "?>"), "?100");
}

TEST_F(MakeOutputNameTest, UnlistedRowHasAnEmptyWorkbookName) {
  controls_.SetNamingMode(1);
  EXPECT_EQ(MakeOutputName(context_, 4, "Jan"), "_Jan");
}

TEST(ClockRandomSource, DrawsBelowOne) {
  ClockRandomSource random;
  for (int i = 0; i < 1000; ++i) {
    const double r = random.Draw();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

}  // namespace
}  // namespace quorvex::engine
