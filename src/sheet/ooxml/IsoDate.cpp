// ISO 8601 date-time text to serial numbers.
#include "sheet/ooxml/IsoDate.h"

#include <cstdint>

namespace quorvex::sheet::ooxml {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (the civil-from-days inversion).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
}

bool IsLeap(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(std::int64_t year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}
  bool AtEnd() const { return position_ == text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++position_;
    return true;
  }
  /// Exactly `count` digits.
  bool Digits(std::size_t count, unsigned& value) {
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const char c = Peek();
      if (c < '0' || c > '9') return false;
      value = value * 10 + static_cast<unsigned>(c - '0');
      ++position_;
    }
    return true;
  }
  /// A fraction after '.' or ',' as a value in [0, 1).
  bool Fraction(double& value) {
    value = 0;
    double scale = 0.1;
    const std::size_t start = position_;
    while (Peek() >= '0' && Peek() <= '9') {
      value += (Peek() - '0') * scale;
      scale /= 10;
      ++position_;
    }
    return position_ > start;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

/// Time of day "hh:mm[:ss[.fff]]" and an optional zone, as a fraction of a day.
bool ParseTime(Cursor& cursor, double& fraction) {
  unsigned hour = 0, minute = 0, second = 0;
  double sub_second = 0;
  if (!cursor.Digits(2, hour) || !cursor.Take(':') || !cursor.Digits(2, minute)) return false;
  if (cursor.Take(':')) {
    if (!cursor.Digits(2, second)) return false;
    if ((cursor.Take('.') || cursor.Take(',')) && !cursor.Fraction(sub_second)) return false;
  }
  if (hour > 24 || minute > 59 || second > 59 || (hour == 24 && (minute | second) != 0)) return false;
  if (!cursor.Take('Z') && (cursor.Take('+') || cursor.Take('-'))) {
    unsigned zone_hour = 0, zone_minute = 0;
    if (!cursor.Digits(2, zone_hour)) return false;
    cursor.Take(':');
    if (!cursor.Digits(2, zone_minute) || zone_hour > 23 || zone_minute > 59) return false;
  }
  fraction = (hour * 3600.0 + minute * 60.0 + second + sub_second) / 86400.0;
  return true;
}

}  // namespace

std::optional<double> ParseIsoDateTime(std::string_view text, bool date1904) {
  Cursor cursor(text);
  double fraction = 0;
  if (text.size() >= 3 && text[2] == ':') {
    if (!ParseTime(cursor, fraction) || !cursor.AtEnd()) return std::nullopt;
    return fraction;
  }
  unsigned year = 0, month = 0, day = 0;
  if (!cursor.Digits(4, year) || !cursor.Take('-') || !cursor.Digits(2, month) || !cursor.Take('-') ||
      !cursor.Digits(2, day)) {
    return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  if ((cursor.Take('T') || cursor.Take(' ')) && !ParseTime(cursor, fraction)) return std::nullopt;
  if (!cursor.AtEnd()) return std::nullopt;

  const std::int64_t days = DaysFromCivil(year, month, day);
  std::int64_t serial;
  if (date1904) {
    serial = days - DaysFromCivil(1904, 1, 1);
  } else if (days >= DaysFromCivil(1900, 3, 1)) {
    serial = days - DaysFromCivil(1899, 12, 30);  // counts the fictitious 1900-02-29
  } else {
    serial = days - DaysFromCivil(1899, 12, 31);
  }
  return static_cast<double>(serial) + fraction;
}

}  // namespace quorvex::sheet::ooxml
