// Choosing a dBASE field's type, width and decimals from the cells of its column.
#include "sheet/writers/DbfFieldInference.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "sheet/numfmt/DateRenderer.h"
#include "sheet/numfmt/DecimalNumber.h"
#include "sheet/writers/DbfCodePage.h"

namespace quorvex::sheet {

namespace {

constexpr int kMostDecimals = 15;
constexpr double kLastDay1900 = 2958465;  // 31 December 9999
constexpr double kPhantomLeapDay = 60;    // 29 February 1900, counted by the 1900 system only
constexpr double kDays1904To1900 = 1462;
// Powers of ten for up to kMostDecimals decimals, each a double exactly.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

/// The fewest decimals that give `value` back to 15 significant digits.
int ShortestDecimals(double value) {
  if (!std::isfinite(value)) return 0;
  const numfmt::DecimalNumber digits = numfmt::DecimalNumber::FromDouble(value);
  return std::clamp(digits.size() - digits.exponent(), 0, kMostDecimals);
}

/// The 15 digits a cell shows (FromDouble's) times 10^decimals, rounded half away from zero,
/// when a product of doubles settles it; nothing otherwise. Those digits lie within 5.2e-15 of
/// |value| relatively (half an ulp, then the rounding to 15 digits) and the product within
/// 1.2e-16 of the exact one, so when the product lies farther than 1e-14 of itself from a
/// half-way point between whole numbers, both round to the same one. Products from 10^13 on
/// are left to the digits, as that margin grows too wide there.
std::optional<std::uint64_t> QuickScaled(double value, int decimals) {
  if (decimals < 0 || decimals > kMostDecimals) return std::nullopt;
  const double scaled = std::fabs(value) * kPowersOfTen[decimals];
  if (!(scaled < 1e13)) return std::nullopt;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;  // exact, as for any double
  const double margin = scaled * 1e-14;
  if (std::fabs(fraction - 0.5) <= margin) return std::nullopt;
  return static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
}

/// FormatDbfNumber from the 15 digits a cell shows, rounded to `decimals`.
std::string FormatDbfNumberByDigits(double value, int decimals) {
  numfmt::DecimalNumber digits = numfmt::DecimalNumber::FromDouble(value);
  digits.RoundToDecimals(decimals);
  std::string text;
  if (value < 0 && !digits.IsZero()) text.push_back('-');
  const int integer_digits = digits.IntegerDigitCount();
  if (integer_digits == 0) text.push_back('0');
  for (int i = 0; i < integer_digits; ++i) text.push_back(static_cast<char>('0' + digits.IntegerDigit(i)));
  if (decimals > 0) {
    text.push_back('.');
    for (int j = 0; j < decimals; ++j) text.push_back(static_cast<char>('0' + digits.FractionDigit(j)));
  }
  return text;
}

}  // namespace

DbfCell ClassifyDbfCell(const CellValue& value, std::uint32_t style, const numfmt::CellText& text,
                        bool date1904, DbfCellText rendering) {
  DbfCell cell;
  ClassifyDbfCell(value, style, text, date1904, rendering, cell);
  return cell;
}

void ClassifyDbfCell(const CellValue& value, std::uint32_t style, const numfmt::CellText& text, bool date1904,
                     DbfCellText rendering, DbfCell& cell) {
  cell.kind = DbfCell::Kind::kEmpty;
  cell.number = 0;
  cell.text.clear();
  cell.unshowable = false;
  switch (value.kind) {
    case CellKind::kEmpty:
      return;
    case CellKind::kString:
      if (value.text.empty()) return;
      cell.kind = DbfCell::Kind::kText;
      break;
    case CellKind::kError:
      cell.kind = DbfCell::Kind::kText;
      break;
    case CellKind::kBoolean:
      cell.kind = DbfCell::Kind::kBoolean;
      break;
    case CellKind::kNumber:
      cell.kind = DbfCell::Kind::kNumber;
      if (text.FormatOf(style).IsDateTime()) {
        const double day = value.number + (date1904 ? kDays1904To1900 : 0);
        const bool whole_day =
            std::floor(day) == day && day >= 1 && day <= kLastDay1900 && !(day == kPhantomLeapDay);
        cell.kind = whole_day ? DbfCell::Kind::kDate : DbfCell::Kind::kText;
        cell.number = day;
      }
      break;
  }
  if (cell.kind != DbfCell::Kind::kDate) cell.number = value.number;
  if (rendering == DbfCellText::kRender) {
    text.Append(value, style, cell.text);
    cell.unshowable = value.kind == CellKind::kNumber && numfmt::IsUnshowable(cell.text);
  }
}

int FittedWidth(std::string_view displayed) {
  // One line of ASCII, the usual case, shows one character per byte.
  if (IsPrintableAscii(displayed)) return static_cast<int>(displayed.size());
  int longest = 0;
  int line = 0;
  for (const char c : displayed) {
    if (c == '\n' || c == '\r') {
      line = 0;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {  // count code points, not bytes
      longest = std::max(longest, ++line);
    }
  }
  return longest;
}

int DisplayedDecimals(double value, const std::string& displayed) {
  bool digits = false;
  bool percent = false;
  bool after_point = false;  // in the digits that follow the last point so far
  int decimals = 0;
  for (std::size_t i = 0; i < displayed.size(); ++i) {
    const char c = displayed[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      decimals += after_point ? 1 : 0;
      continue;
    }
    after_point = c == '.';
    if (after_point) decimals = 0;
    if (c == '%') percent = true;
    // Scientific notation, fractions and times do not show the decimals plainly.
    const bool exponent = (c == 'E' || c == 'e') && i + 1 < displayed.size() &&
                          (displayed[i + 1] == '+' || displayed[i + 1] == '-');
    if (exponent || c == '/' || c == ':') return ShortestDecimals(value);
  }
  if (!digits) return ShortestDecimals(value);
  return std::min(decimals + (percent ? 2 : 0), kMostDecimals);
}

std::string FormatDbfNumber(double value, int decimals) {
  if (!std::isfinite(value)) return {};
  const std::optional<std::uint64_t> scaled = QuickScaled(value, decimals);
  if (!scaled) return FormatDbfNumberByDigits(value, decimals);
  // The digits from the last decimal back to the sign.
  char buffer[32];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  std::uint64_t rest = *scaled;
  for (int j = 0; j < decimals; ++j, rest /= 10) *--p = static_cast<char>('0' + rest % 10);
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest > 0);
  if (value < 0 && *scaled != 0) *--p = '-';
  return std::string(p, end);
}

std::string DbfDateDigits(double day_1900) {
  const numfmt::CalendarDay date = numfmt::CalendarDayOf1900(static_cast<std::int64_t>(day_1900));
  // Years 1900 to 9999 (what kDate holds) give exactly eight digits; written by hand, as
  // snprintf was a visible share of writing a table.
  std::string digits(8, '0');
  for (std::int64_t value = std::int64_t{date.year} * 10000 + std::int64_t{date.month} * 100 + date.day,
                    i = 7;
       i >= 0 && value > 0; --i, value /= 10) {
    digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
  }
  return digits;
}

void DbfColumnProfile::Observe(const DbfCell& cell, std::uint32_t row, DbfTextMeasure measure) {
  switch (cell.kind) {
    case DbfCell::Kind::kEmpty:
      return;
    case DbfCell::Kind::kNumber:
      ++numbers_;
      decimals_ = std::max(decimals_, DisplayedDecimals(cell.number, cell.text));
      largest_ = numbers_ == 1 ? cell.number : std::max(largest_, cell.number);
      smallest_ = numbers_ == 1 ? cell.number : std::min(smallest_, cell.number);
      break;
    case DbfCell::Kind::kDate:
      ++dates_;
      break;
    case DbfCell::Kind::kBoolean:
      ++booleans_;
      break;
    case DbfCell::Kind::kText:
      ++texts_;
      break;
  }
  const std::size_t length = cell.unshowable                         ? 1
                             : measure == DbfTextMeasure::kUtf8Bytes ? cell.text.size()
                                                                     : CodePointCount(cell.text);
  if (length > longest_text_) {
    longest_text_ = length;
    longest_row_ = row;
  }
}

DbfField DbfColumnProfile::Infer(std::string name, int fitted_width, DbfVersion version) const {
  const DbfLimits limits = LimitsOf(version);
  const std::size_t values = numbers_ + dates_ + booleans_ + texts_;
  DbfField field;
  field.name = std::move(name);
  if (values > 0 && numbers_ == values) {
    // The widest value is the largest or the most negative one.
    const int width = static_cast<int>(
        std::max(FormatDbfNumber(largest_, decimals_).size(), FormatDbfNumber(smallest_, decimals_).size()));
    if (width <= limits.max_numeric_width) {
      field.type = DbfType::kNumeric;
      field.width = width;
      field.decimals = decimals_;
      return field;
    }
  } else if (values > 0 && dates_ == values && limits.has_dates) {
    field.type = DbfType::kDate;
    field.width = 8;
    return field;
  } else if (values > 0 && booleans_ == values) {
    field.type = DbfType::kLogical;
    field.width = 1;
    return field;
  }
  field.type = DbfType::kCharacter;
  const int fitted = std::min(fitted_width, limits.max_character_width);
  field.width = std::max({1, fitted, static_cast<int>(std::min<std::size_t>(longest_text_, 1 << 20))});
  return field;
}

DbfLimits LimitsOf(DbfVersion version) {
  switch (version) {
    case DbfVersion::kDbase2:
      return {32, 1000, 254, 19, 15, false};
    case DbfVersion::kDbase3:
      return {128, 4000, 254, 19, 15, true};
    case DbfVersion::kDbase4:
      break;
  }
  return {255, 4000, 254, 20, 15, true};
}

}  // namespace quorvex::sheet
