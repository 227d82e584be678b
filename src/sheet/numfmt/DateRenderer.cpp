// Date and time sections: serial numbers to calendar fields, in the 1900 and 1904 systems.
#include "sheet/numfmt/DateRenderer.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string_view>

#include "sheet/model/SerialDate.h"

namespace quorvex::sheet::numfmt {
namespace {

constexpr std::int64_t kLastDay1900 = 2958465;  // 31 December 9999
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kBuddhistOffset = 543;

/// The first character of a UTF-8 name ("J" of "January", "Я" of "Январь").
std::string_view FirstLetter(std::string_view name) {
  if (name.empty()) return name;
  std::size_t length = 1;
  while (length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) ++length;
  return name.substr(0, length);
}

void AppendNumber(std::int64_t value, int width, std::string& out) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  for (long pad = width - (end - buffer); pad > 0; --pad) out.push_back('0');
  out.append(buffer, end);
}

struct Moment {
  CalendarDay date;
  std::int64_t total_seconds = 0;  // whole seconds since serial 0
  std::int64_t subsecond = 0;      // in units of 10^-precision seconds
  int precision = 0;
};

std::int64_t PowerOfTen(int exponent) {
  std::int64_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

void AppendField(const Part& part, const Section& s, const Moment& m, std::string& out) {
  const std::int64_t seconds_of_day = m.total_seconds % kSecondsPerDay;
  const int hour = static_cast<int>(seconds_of_day / 3600);
  switch (part.kind) {
    case PartKind::kYear:
      AppendNumber(part.width == 2 ? m.date.year % 100 : m.date.year, part.width, out);
      break;
    case PartKind::kBuddhistYear: {
      const int year = m.date.year + kBuddhistOffset;
      AppendNumber(part.width == 2 ? year % 100 : year, part.width, out);
      break;
    }
    case PartKind::kMonth: {
      const auto month = static_cast<std::size_t>(m.date.month - 1);
      if (part.width <= 2) {
        AppendNumber(m.date.month, part.width, out);
      } else if (part.width == 3) {
        out.append(s.names->short_months[month]);
      } else if (part.width == 4) {
        out.append(s.names->months[month]);
      } else {
        out.append(FirstLetter(s.names->months[month]));
      }
      break;
    }
    case PartKind::kDay:
      if (part.width <= 2) {
        AppendNumber(m.date.day, part.width, out);
      } else {
        const auto weekday = static_cast<std::size_t>(m.date.weekday);
        out.append(part.width == 3 ? s.names->short_days[weekday] : s.names->days[weekday]);
      }
      break;
    case PartKind::kHour: {
      const int shown = s.hour12 ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
      AppendNumber(shown, part.width, out);
      break;
    }
    case PartKind::kMinute:
      AppendNumber(seconds_of_day / 60 % 60, part.width, out);
      break;
    case PartKind::kSecond:
      AppendNumber(seconds_of_day % 60, part.width, out);
      break;
    case PartKind::kSubsecond:
      out.push_back('.');
      AppendNumber(m.subsecond / PowerOfTen(m.precision - part.width), part.width, out);
      break;
    case PartKind::kAmPm:
      out.append(hour < 12 ? "AM" : "PM");
      break;
    case PartKind::kAP:
      out.push_back(hour < 12 ? part.ch : part.ch2);
      break;
    case PartKind::kElapsedHours:
      AppendNumber(m.total_seconds / 3600, part.width, out);
      break;
    case PartKind::kElapsedMinutes:
      AppendNumber(m.total_seconds / 60, part.width, out);
      break;
    case PartKind::kElapsedSeconds:
      AppendNumber(m.total_seconds, part.width, out);
      break;
    default:
      break;  // era names: none in the Gregorian calendar
  }
}

}  // namespace

CalendarDay CalendarDayOf1900(std::int64_t day) {
  CalendarDay result;
  result.weekday = static_cast<int>((day + 6) % 7);
  if (day == 0) return result;  // 0 January 1900
  if (const std::optional<CivilDate> date = DateOfSerialDay(day, false)) {
    result.year = static_cast<int>(date->year);
    result.month = date->month;
    result.day = date->day;
  } else {  // the phantom 29 February 1900
    result.month = 2;
    result.day = 29;
  }
  return result;
}

bool AppendDateSection(const Section& s, double serial, bool date1904, std::string& out) {
  if (!(serial >= 0) || !std::isfinite(serial)) return false;
  const std::int64_t last_day = date1904 ? kLastDay1900 - kSerialOf1904Epoch : kLastDay1900;
  if (serial >= static_cast<double>(last_day + 1)) return false;

  Moment m;
  m.precision = s.subsecond_digits;
  const std::int64_t units_per_second = PowerOfTen(m.precision);
  const std::int64_t units_per_day = kSecondsPerDay * units_per_second;
  const double whole = std::floor(serial);
  std::int64_t day = static_cast<std::int64_t>(whole);
  auto units =
      static_cast<std::int64_t>(std::floor((serial - whole) * static_cast<double>(units_per_day) + 0.5));
  if (units >= units_per_day) {  // 23:59:59.6 shows as midnight of the next day
    units -= units_per_day;
    ++day;
  }
  if (day > last_day) return false;

  m.date = CalendarDayOf1900(date1904 ? day + kSerialOf1904Epoch : day);
  m.total_seconds = day * kSecondsPerDay + units / units_per_second;
  m.subsecond = units % units_per_second;
  for (const Part& part : s.parts) {
    if (part.kind == PartKind::kLiteral) {
      out.append(s.literals, part.offset, part.size);
    } else {
      AppendField(part, s, m, out);
    }
  }
  return true;
}

}  // namespace quorvex::sheet::numfmt
