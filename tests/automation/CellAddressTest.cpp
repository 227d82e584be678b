// A1-style addresses of the built-in engine.
#include <gtest/gtest.h>

#include "automation/builtin/CellAddress.h"

namespace quorvex::automation {
namespace {

TEST(CellAddress, WritesAbsoluteAddresses) {
  struct Row {
    std::uint32_t row, column;
    const char* address;
  };
  for (const Row& r : {Row{0, 0, "$A$1"}, Row{9, 2, "$C$10"}, Row{0, 25, "$Z$1"}, Row{0, 26, "$AA$1"},
                       Row{0, 701, "$ZZ$1"}, Row{0, 702, "$AAA$1"}, Row{1048575, 16383, "$XFD$1048576"}}) {
    EXPECT_EQ(AbsoluteAddress({r.row, r.column}), r.address);
  }
}

TEST(CellAddress, ParsesRelativeAbsoluteAndLowerCase) {
  for (const char* text : {"C10", "$C$10", "c10", "$C10", "C$10"}) {
    auto position = ParseAddress(text);
    ASSERT_TRUE(position) << text;
    EXPECT_EQ(position->row, 9u);
    EXPECT_EQ(position->column, 2u);
  }
  EXPECT_EQ(ParseAddress("XFD1048576")->column, 16383u);
}

TEST(CellAddress, RejectsMalformedAndOutOfSheetAddresses) {
  for (const char* text : {"", "A", "10", "A0", "A1B", "$$A1", "XFE1", "A1048577", "ABCDE1", "A 1", "A-1"}) {
    EXPECT_FALSE(ParseAddress(text)) << text;
  }
}

}  // namespace
}  // namespace quorvex::automation
