// Serial day numbers of the 1900 and 1904 date systems and the calendar dates they stand for.
#pragma once

#include <cstdint>
#include <optional>

namespace quorvex::sheet {

/// A date of the proleptic Gregorian calendar.
struct CivilDate {
  std::int64_t year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
};

/// 1 January 1904, day 0 of the 1904 date system, as a serial of the 1900 system.
inline constexpr std::int64_t kSerialOf1904Epoch = 1462;

/// The days from 1 January 1970 to `date` (negative before it).
std::int64_t DaysFromCivil(const CivilDate& date);

/// The date `days` after 1 January 1970.
CivilDate CivilFromDays(std::int64_t days);

/// The date of whole serial day `serial_day`. In the 1900 system serial 1 is 1 January 1900
/// (0 is 31 December 1899) and serials from 61 on are one ahead of the calendar, which the
/// system's phantom 29 February 1900 (serial 60, nullopt) pushed forward. In the 1904 system
/// serial 0 is 1 January 1904.
std::optional<CivilDate> DateOfSerialDay(std::int64_t serial_day, bool date1904);

/// The serial day of `date` in the 1900 or 1904 system: DateOfSerialDay's inverse.
std::int64_t SerialDayOf(const CivilDate& date, bool date1904);

}  // namespace quorvex::sheet
