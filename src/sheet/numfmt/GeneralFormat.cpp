// General number format.
#include "sheet/numfmt/GeneralFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "sheet/numfmt/DecimalNumber.h"

namespace quorvex::sheet::numfmt {
namespace {

// Room for the digits and the decimal point of a number in a wide General cell.
constexpr int kWidth = 11;
// Scientific form keeps one digit before the point and up to five after it.
constexpr int kScientificDigits = 6;
// Values from 10^-4 upwards keep at least as many significant digits in fixed form as in
// scientific form, so they always show in fixed form.
constexpr int kAlwaysFixedExponent = -4;

void AppendDigits(const DecimalNumber& d, int from, int to, std::string& out) {
  for (int i = from; i < to; ++i) out.push_back(static_cast<char>('0' + d.Digit(i)));
}

void AppendScientific(DecimalNumber d, std::string& out) {
  d.RoundToSignificant(kScientificDigits);
  out.push_back(static_cast<char>('0' + d.Digit(0)));
  if (d.size() > 1) {
    out.push_back('.');
    AppendDigits(d, 1, d.size(), out);
  }
  int exponent = d.exponent() - 1;
  out.push_back('E');
  out.push_back(exponent < 0 ? '-' : '+');
  if (exponent < 0) exponent = -exponent;
  if (exponent < 10) out.push_back('0');
  char buffer[8];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, exponent);
  out.append(buffer, end);
}

void AppendFixed(const DecimalNumber& d, std::string& out) {
  const int integer_digits = d.IntegerDigitCount();
  const int fraction_digits = std::max(d.size() - d.exponent(), 0);
  // Room for every character at once, then written through a pointer.
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(integer_digits + fraction_digits + 2));
  char* o = out.data() + start;
  if (integer_digits == 0) *o++ = '0';
  for (int i = 0; i < integer_digits; ++i) *o++ = static_cast<char>('0' + d.Digit(i));
  if (fraction_digits > 0) {
    *o++ = '.';
    for (int j = 0; j < fraction_digits; ++j) *o++ = static_cast<char>('0' + d.FractionDigit(j));
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
}

}  // namespace

void AppendGeneral(double value, std::string& out) {
  if (!std::isfinite(value)) {
    out += "#NUM!";
    return;
  }
  if (value == 0) {
    out.push_back('0');  // also negative zero
    return;
  }
  if (value < 0) out.push_back('-');
  const double magnitude = std::fabs(value);
  if (magnitude < 1e11 && magnitude == std::floor(magnitude)) {
    char buffer[24];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(magnitude));
    out.append(buffer, end);
    return;
  }
  const DecimalNumber d = DecimalNumber::FromDouble(magnitude);
  const int exponent = d.exponent() - 1;  // scientific exponent: d = x.xxx * 10^exponent
  DecimalNumber fixed = d;
  if (exponent >= 0) {
    // Integer digits, then as many decimals as fit after the point.
    const int decimals = kWidth - 1 - (exponent + 1);
    fixed.RoundToDecimals(decimals > 0 ? decimals : 0);
    if (fixed.IntegerDigitCount() <= kWidth) return AppendFixed(fixed, out);
    return AppendScientific(d, out);
  }
  // "0." then up to nine decimals.
  fixed.RoundToDecimals(kWidth - 2);
  const bool exact = d.size() - d.exponent() <= kWidth - 2;
  if (!fixed.IsZero() && (exponent >= kAlwaysFixedExponent || exact)) return AppendFixed(fixed, out);
  AppendScientific(d, out);
}

}  // namespace quorvex::sheet::numfmt
