// Tests for loading the shared string table: the budget against bombs, the cut of long items.
#include <gtest/gtest.h>

#include <string>

#include "sheet/container/MemoryByteSource.h"
#include "sheet/container/StringTable.h"
#include "sheet/container/XmlPullParser.h"
#include "sheet/ooxml/SharedStrings.h"

namespace quorvex::sheet::ooxml {
namespace {

using container::StringTable;

/// Loads an sst part held in memory with the given budget.
SharedStrings LoadSst(const std::string& xml, std::uint64_t budget) {
  container::MemoryByteSource source(xml);
  container::XmlPullParser parser(source, "xl/sharedStrings.xml");
  SharedStrings strings;
  strings.Load(parser, budget);
  return strings;
}

TEST(SharedStrings, BombPastTheBudgetIsTooLargeAndLongItemsAreCut) {
  // Ten thousand strings of a thousand characters: ten million bytes against a budget of one.
  std::string bomb = "<sst>";
  const std::string item = "<si><t>" + std::string(1000, 'a') + "</t></si>";
  for (int i = 0; i < 10000; ++i) bomb += item;
  bomb += "</sst>";
  try {
    LoadSst(bomb, 1000000);
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kTooLarge);
    EXPECT_EQ(error.sentence(), "the shared strings expand beyond safe limits");
    EXPECT_EQ(error.part(), "xl/sharedStrings.xml");
  }
  // One item whose runs add up to far more than a cell holds keeps its first 32767 characters.
  std::string runs = "<sst><si>";
  for (int i = 0; i < 100; ++i)
    runs += "<r><t>" + std::string(1000, static_cast<char>('a' + i % 26)) + "</t></r>";
  runs += "</si><si><t>next</t></si></sst>";
  const SharedStrings strings = LoadSst(runs, StringTable::kDefaultBudget);
  ASSERT_EQ(strings.size(), 2u);
  EXPECT_EQ(strings[0].size(), StringTable::kMaxCharacters);
  EXPECT_EQ(strings[0].substr(32000, 2), "gg");  // run 33 of a..z repeating
  EXPECT_EQ(strings[1], "next");
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
