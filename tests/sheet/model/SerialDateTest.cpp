// Tests for serial days of the 1900 and 1904 date systems: known dates, the phantom leap day, and
// the round trip between serials and dates.
#include <gtest/gtest.h>

#include <tuple>

#include "sheet/model/SerialDate.h"

namespace quorvex::sheet {
namespace {

TEST(SerialDate, GivesTheDatesOfKnownSerials) {
  // serial, 1904 system, year, month, day
  const std::tuple<std::int64_t, bool, int, int, int> rows[] = {
      {0, false, 1899, 12, 31},       {1, false, 1900, 1, 1},           {59, false, 1900, 2, 28},
      {61, false, 1900, 3, 1},        {25569, false, 1970, 1, 1},       {45352, false, 2024, 3, 1},
      {2958465, false, 9999, 12, 31}, {-1, false, 1899, 12, 30},        {0, true, 1904, 1, 1},
      {1, true, 1904, 1, 2},          {45352 - 1462, true, 2024, 3, 1}, {-1, true, 1903, 12, 31},
  };
  for (const auto& [serial, date1904, year, month, day] : rows) {
    SCOPED_TRACE(testing::Message() << serial << (date1904 ? " (1904)" : " (1900)"));
    const std::optional<CivilDate> date = DateOfSerialDay(serial, date1904);
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->year, year);
    EXPECT_EQ(date->month, month);
    EXPECT_EQ(date->day, day);
    EXPECT_EQ(SerialDayOf(*date, date1904), serial);
  }
}

TEST(SerialDate, ThePhantomLeapDayOf1900HasNoDate) {
  EXPECT_FALSE(DateOfSerialDay(60, false).has_value());
  EXPECT_TRUE(DateOfSerialDay(60 - 1462, true).has_value()) << "the 1904 system has no phantom day";
}

TEST(SerialDate, EverySerialRoundTripsThroughItsDate) {
  for (const bool date1904 : {false, true}) {
    for (std::int64_t serial = -800; serial <= 2958465; serial += serial < 1000 ? 1 : 997) {
      if (!date1904 && serial == 60) continue;
      const std::optional<CivilDate> date = DateOfSerialDay(serial, date1904);
      ASSERT_TRUE(date.has_value()) << serial;
      ASSERT_EQ(SerialDayOf(*date, date1904), serial) << serial;
      ASSERT_EQ(CivilFromDays(DaysFromCivil(*date)).day, date->day) << serial;
    }
  }
}

}  // namespace
}  // namespace quorvex::sheet
