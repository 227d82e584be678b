// Renders date and time sections from serial day numbers.
#pragma once

#include <cstdint>
#include <string>

#include "sheet/numfmt/FormatParser.h"

namespace quorvex::sheet::numfmt {

/// A day of the 1900 date system's calendar, which counts a 29 February 1900 that never was
/// (serial 60) and shows serial 0 as 0 January 1900.
struct CalendarDay {
  int year = 1900;
  int month = 1;    // 1 to 12
  int day = 0;      // 0 only for serial 0
  int weekday = 0;  // 0 Sunday to 6 Saturday
};

/// The calendar day of whole serial `day` in the 1900 system (0 <= day <= 2958465).
CalendarDay CalendarDayOf1900(std::int64_t day);

/// Appends non-negative `serial` through a date section, first rounding the time to the
/// precision the section shows (whole seconds, or its fractions of a second). Returns false and
/// appends nothing when the value is negative or later than 31 December 9999.
bool AppendDateSection(const Section& section, double serial, bool date1904, std::string& out);

}  // namespace quorvex::sheet::numfmt
