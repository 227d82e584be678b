// Tests for A1-style cell and range references.
#include <gtest/gtest.h>

#include "sheet/ooxml/CellReference.h"

namespace quorvex::sheet::ooxml {
namespace {

TEST(CellReference, ParsesValidReferences) {
  struct Row {
    const char* text;
    std::uint32_t row;
    std::uint32_t column;
  };
  const Row rows[] = {
      {"A1", 0, 0},   {"B7", 6, 1},    {"Z1", 0, 25},
      {"AA1", 0, 26}, {"AZ10", 9, 51}, {"XFD1048576", 1048575, 16383},
      {"$C$3", 2, 2}, {"c3", 2, 2},
  };
  for (const Row& r : rows) {
    const auto position = ParseCellReference(r.text);
    ASSERT_TRUE(position) << r.text;
    EXPECT_EQ(position->row, r.row) << r.text;
    EXPECT_EQ(position->column, r.column) << r.text;
  }
}

TEST(CellReference, RefusesMalformedOrOutOfRangeReferences) {
  for (const char* text : {"", "A", "1", "A0", "XFE1", "A1048577", "AAAA1", "A1B", "A-1", "A 1", "A01x"}) {
    EXPECT_FALSE(ParseCellReference(text)) << text;
  }
}

TEST(CellReference, ParsesRangesInEitherOrder) {
  const auto range = ParseRangeReference("D10:B2");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->first_row, 1u);
  EXPECT_EQ(range->first_column, 1u);
  EXPECT_EQ(range->last_row, 9u);
  EXPECT_EQ(range->last_column, 3u);
  EXPECT_FALSE(ParseRangeReference("A1:"));
  EXPECT_FALSE(ParseRangeReference(":B2"));
}

TEST(CellReference, FormatsReferencesForMessages) {
  EXPECT_EQ(FormatCellReference(0, 0), "A1");
  EXPECT_EQ(FormatCellReference(6, 1), "B7");
  EXPECT_EQ(FormatCellReference(0, 26), "AA1");
  EXPECT_EQ(FormatCellReference(1048575, 16383), "XFD1048576");
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
