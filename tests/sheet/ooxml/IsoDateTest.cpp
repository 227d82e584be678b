// Tests for ISO 8601 date-time text as serial numbers in both date systems.
#include <gtest/gtest.h>

#include "sheet/ooxml/IsoDate.h"

namespace quorvex::sheet::ooxml {
namespace {

TEST(IsoDate, GivesSerialsOfThe1900DateSystem) {
  const std::pair<const char*, double> rows[] = {
      {"1900-01-01", 1},
      {"1900-02-28", 59},
      {"1900-03-01", 61},
      {"1899-12-31", 0},
      {"2000-01-01", 36526},
      {"2024-01-15", 45306},
      {"2024-01-15T12:00:00", 45306.5},
      {"2024-01-15T18:00:00+02:00", 45306.75},
      {"2024-01-15T06:00:00Z", 45306.25},
      {"2024-01-15T06:00", 45306.25},
      {"2024-01-15T00:00:00.5", 45306 + 0.5 / 86400},
      {"12:00:00", 0.5},
      {"9999-12-31", 2958465},
  };
  for (const auto& [text, serial] : rows) {
    const auto parsed = ParseIsoDateTime(text, false);
    ASSERT_TRUE(parsed) << text;
    EXPECT_DOUBLE_EQ(*parsed, serial) << text;
  }
}

TEST(IsoDate, GivesSerialsOfThe1904DateSystem) {
  EXPECT_EQ(ParseIsoDateTime("1904-01-01", true), 0.0);
  EXPECT_EQ(ParseIsoDateTime("1904-01-02", true), 1.0);
  EXPECT_EQ(ParseIsoDateTime("2024-01-15", true), 45306.0 - 1462);
}

TEST(IsoDate, RefusesTextThatIsNotADate) {
  for (const char* text :
       {"", "2023-02-29", "2024-13-01", "2024-00-10", "2024-1-5", "2024-01-32", "24:01:00",
        "2024-01-15T25:00:00", "2024-01-15T12:60", "2024-01-15x", "yesterday", "2024/01/15"}) {
    EXPECT_FALSE(ParseIsoDateTime(text, false)) << text;
  }
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
