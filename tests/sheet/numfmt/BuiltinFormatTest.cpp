// Built-in format ids as an en-US installation shows them.
#include <cstdint>
#include <string>

#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

struct BuiltinRow {
  std::uint32_t id;
  double value;
  const char* expected;
};

TEST(BuiltinFormats, RenderAsTheApplicationShowsThem) {
  const BuiltinRow rows[] = {
      {0, 1234.5, "1234.5"},
      {1, 1234.5, "1235"},
      {2, 1234.567, "1234.57"},
      {3, 1234567, "1,234,567"},
      {4, 1234.5, "1,234.50"},
      {5, 1234.5, "$1,235 "},
      {5, -1234.5, "($1,235)"},
      {6, -1234.5, "($1,235)"},
      {7, 1234.5, "$1,234.50 "},
      {7, -1234.5, "($1,234.50)"},
      {8, -0.5, "($0.50)"},
      {9, 0.125, "13%"},
      {10, 0.125, "12.50%"},
      {11, 12345, "1.23E+04"},
      {12, 1.25, "1 1/4"},
      {13, 3.14159, "3  1/7 "},
      {12, 12.3, "12 1/3"},
      {14, 45000, "3/15/2023"},
      {15, 45000, "15-Mar-23"},
      {16, 45000, "15-Mar"},
      {17, 45000, "Mar-23"},
      {18, 0.75, "6:00 PM"},
      {19, 0.75, "6:00:00 PM"},
      {20, 0.75, "18:00"},
      {21, 0.75, "18:00:00"},
      {22, 45000.75, "3/15/2023 18:00"},
      {37, 1234, "1,234 "},
      {37, -1234, "(1,234)"},
      {38, -1234, "(1,234)"},
      {39, 1234.5, "1,234.50"},
      {39, 1234.56789, "1,234.57"},
      {39, -1234.5, "(1,234.50)"},
      {40, -1234.5, "(1,234.50)"},
      {40, 0, "0.00"},
      {38, 1234, "1,234 "},
      {41, 1234, " 1,234 "},
      {41, -1234, " (1,234)"},
      {41, 0, " - "},
      {42, 1234, " $1,234 "},
      {42, 0, " $- "},
      {43, 1234.5, " 1,234.50 "},
      {43, 0, " -   "},
      {44, 1234.5, " $1,234.50 "},
      {44, -1234.5, " $(1,234.50)"},
      {44, 0, " $-   "},
      {45, 0.0001, "00:09"},
      {46, 1.5, "36:00:00"},
      {47, 0.0001, "0008.6"},
      {48, 12345, "12.3E+3"},
      {49, 1234.5, "1234.5"},
  };
  for (const BuiltinRow& row : rows) {
    const auto format = NumberFormat::Parse(BuiltinFormatCode(row.id));
    EXPECT_EQ(format->Render(CellValue::Number(row.value), false), row.expected) << "id " << row.id;
  }
}

TEST(BuiltinFormats, AccountingFormatsPadText) {
  const auto format = NumberFormat::Parse(BuiltinFormatCode(44));
  EXPECT_EQ(format->Render(CellValue::String("abc"), false), " abc ");
}

TEST(BuiltinFormats, EastAsianIdsMapToTheNearestEnUsFormat) {
  EXPECT_EQ(BuiltinFormatCode(14), "m/d/yyyy");
  EXPECT_EQ(BuiltinFormatCode(23), "General");
  EXPECT_EQ(BuiltinFormatCode(27), "m/d/yyyy");
  EXPECT_EQ(BuiltinFormatCode(31), "m/d/yyyy");
  EXPECT_EQ(BuiltinFormatCode(50), "m/d/yyyy");
  EXPECT_EQ(BuiltinFormatCode(58), "m/d/yyyy");
  EXPECT_EQ(BuiltinFormatCode(59), "0");
  EXPECT_EQ(BuiltinFormatCode(62), "#,##0.00");
  EXPECT_EQ(BuiltinFormatCode(67), "0%");
  EXPECT_EQ(BuiltinFormatCode(69), "# ?/?");
  EXPECT_EQ(BuiltinFormatCode(75), "mmm-yy");
  EXPECT_EQ(BuiltinFormatCode(76), "h:mm");
  EXPECT_EQ(BuiltinFormatCode(78), "m/d/yyyy h:mm");
  EXPECT_EQ(BuiltinFormatCode(80), "[h]:mm:ss");
  EXPECT_EQ(BuiltinFormatCode(81), "mmss.0");
}

TEST(BuiltinFormats, IdsWithoutMeaningAreEmpty) {
  for (const std::uint32_t id : {32u, 36u, 63u, 66u, 82u, 163u, 164u, 0xFFFFFFFFu}) {
    EXPECT_TRUE(BuiltinFormatCode(id).empty()) << "id " << id;
  }
}

TEST(BuiltinFormats, EveryBuiltinCodeParsesWithoutFallingBack) {
  for (std::uint32_t id = 1; id < 82; ++id) {
    const std::string_view code = BuiltinFormatCode(id);
    if (code.empty() || code == "General") continue;
    EXPECT_FALSE(NumberFormat::Parse(code)->IsGeneral()) << "id " << id;
  }
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
