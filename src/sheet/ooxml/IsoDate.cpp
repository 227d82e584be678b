// ISO 8601 date-time text to serial numbers.
#include "sheet/ooxml/IsoDate.h"

#include <cstdint>

#include "sheet/model/SerialDate.h"

namespace quorvex::sheet::ooxml {
namespace {

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

  const CivilDate date{year, static_cast<int>(month), static_cast<int>(day)};
  return static_cast<double>(SerialDayOf(date, date1904)) + fraction;
}

}  // namespace quorvex::sheet::ooxml
