// Serial day numbers to calendar dates and back, with the 1900 system's phantom leap day.
#include "sheet/model/SerialDate.h"

namespace quorvex::sheet {
namespace {

constexpr std::int64_t kPhantomLeapDay = 60;         // 29 February 1900 in the 1900 system
constexpr std::int64_t kUnixDayOf1900Zero = -25568;  // 31 December 1899, serial 0 of 1900
constexpr std::int64_t kUnixDayOf1904Zero = -24107;  // 1 January 1904, serial 0 of 1904

}  // namespace

// Both conversions are H. Hinnant's days-from-civil algorithms over 400-year eras.
std::int64_t DaysFromCivil(const CivilDate& date) {
  const std::int64_t year = date.year - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_from_march = (5 * day_of_year + 2) / 153;
  CivilDate date;
  date.day = static_cast<int>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
  date.month = static_cast<int>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
  date.year = year_of_era + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

std::optional<CivilDate> DateOfSerialDay(std::int64_t serial_day, bool date1904) {
  if (date1904) return CivilFromDays(kUnixDayOf1904Zero + serial_day);
  if (serial_day == kPhantomLeapDay) return std::nullopt;
  const std::int64_t real = serial_day > kPhantomLeapDay ? serial_day - 1 : serial_day;
  return CivilFromDays(kUnixDayOf1900Zero + real);
}

std::int64_t SerialDayOf(const CivilDate& date, bool date1904) {
  const std::int64_t days = DaysFromCivil(date);
  if (date1904) return days - kUnixDayOf1904Zero;
  const std::int64_t real = days - kUnixDayOf1900Zero;
  return real >= kPhantomLeapDay ? real + 1 : real;
}

}  // namespace quorvex::sheet
