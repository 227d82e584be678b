// Field names made from header texts: valid characters, length, upper case, never empty, unique.
#include <gtest/gtest.h>

#include "sheet/writers/DbfFieldNames.h"

namespace quorvex::sheet {
namespace {

struct NameRow {
  std::vector<std::string> headers;
  std::vector<std::string> names;
};

class DbfFieldNamesRows : public ::testing::TestWithParam<NameRow> {};

TEST_P(DbfFieldNamesRows, MakesValidUniqueNames) {
  EXPECT_EQ(MakeDbfFieldNames(GetParam().headers), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DbfFieldNamesRows,
    ::testing::Values(
        NameRow{{"Name", "qty", "Unit_Price"}, {"NAME", "QTY", "UNIT_PRICE"}},
        NameRow{{"Order Date", "e-mail", "a.b"}, {"ORDER_DATE", "E_MAIL", "A_B"}},
        NameRow{{"Customer reference number"}, {"CUSTOMER_R"}},
        NameRow{{"2023", "_id", "1st quarter"}, {"F2023", "F_ID", "F1ST_QUART"}},
        NameRow{{"", "", "x"}, {"FIELD1", "FIELD2", "X"}},
        NameRow{{"€", "  ", "--"}, {"FIELD1", "FIELD2", "FIELD3"}},
        NameRow{{"Prénom", "Straße"}, {"PR_NOM", "STRA_E"}}, NameRow{{"Имя", "Name"}, {"FIELD1", "NAME"}},
        NameRow{{"Total", "total", "TOTAL"}, {"TOTAL", "TOTAL_1", "TOTAL_2"}},
        NameRow{{"Amount due", "Amount due!", "Amount due?"}, {"AMOUNT_DUE", "AMOUNT_D_1", "AMOUNT_D_2"}},
        NameRow{{"FIELD2", ""}, {"FIELD2", "FIELD2_1"}}, NameRow{{"A_1", "A", "A"}, {"A_1", "A", "A_2"}}));

TEST(DbfFieldNames, TenOrMoreDuplicatesStayWithinTenCharacters) {
  const std::vector<std::string> names = MakeDbfFieldNames(std::vector<std::string>(12, "Longheader"));
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[0], "LONGHEADER");
  EXPECT_EQ(names[1], "LONGHEAD_1");
  EXPECT_EQ(names[10], "LONGHEA_10");
  EXPECT_EQ(names[11], "LONGHEA_11");
}

}  // namespace
}  // namespace quorvex::sheet
