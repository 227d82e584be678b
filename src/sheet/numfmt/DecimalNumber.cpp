// Decimal digits of a cell value and their display rounding.
#include "sheet/numfmt/DecimalNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvex::sheet::numfmt {
namespace {

/// n when value is the double nearest to n / scale for a whole n below 10^15, so that n / scale
/// is its 15-digit form; 0 otherwise. The division is correctly rounded, so comparing its
/// result with value tests exactly that.
double ScaledWhole(double value, double scale) {
  const double scaled = std::floor(value * scale + 0.5);
  return scaled > 0 && scaled < 1e15 && scaled / scale == value ? scaled : 0;
}

}  // namespace

DecimalNumber DecimalNumber::FromDouble(double value) {
  DecimalNumber d;
  value = std::fabs(value);
  if (!(value > 0) || !std::isfinite(value)) return d;
  char buffer[64] = {};
  // Whole numbers below 10^15 are their own 15 digits. So are values with up to six decimals
  // below 10^9 and with up to two decimals below 10^13 (most cell values: amounts and their
  // products), which skip the slower shortest-form conversion below.
  double whole = 0;
  int point_shift = 0;
  if (value < 1e15 && value == std::floor(value)) {
    whole = value;
  } else if (value < 1e9) {
    whole = ScaledWhole(value, 1e6);
    point_shift = -6;
  } else if (value < 1e13) {
    whole = ScaledWhole(value, 1e2);
    point_shift = -2;
  }
  if (whole > 0) {
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(whole));
    const int length = static_cast<int>(end - buffer);
    for (int i = 0; i < length; ++i) d.digits_[i] = static_cast<std::uint8_t>(buffer[i] - '0');
    d.size_ = length;
    d.exponent_ = length + point_shift;
    d.StripTrailingZeros();
    return d;
  }
  // Shortest round-trip form ("1.2345e-07"), then rounded to 15 significant digits.
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  std::uint8_t all[24] = {};
  int count = 0;
  const char* p = buffer;
  for (; p < end && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9' && count < 24) all[count++] = static_cast<std::uint8_t>(*p - '0');
  }
  int exponent10 = 0;
  if (p < end) std::from_chars(p[1] == '+' ? p + 2 : p + 1, end, exponent10);
  for (int i = 0; i < count && i <= kMaxDigits; ++i) d.digits_[i] = all[i];
  d.size_ = count > kMaxDigits ? kMaxDigits + 1 : count;
  d.exponent_ = exponent10 + 1;
  d.KeepDigits(kMaxDigits);
  return d;
}

void DecimalNumber::Shift(int shift) {
  if (size_ != 0) exponent_ += shift;
}

void DecimalNumber::RoundToDecimals(int decimals) {
  if (size_ == 0) return;
  // Keep the digits before position exponent_ + decimals.
  const long keep = static_cast<long>(exponent_) + decimals;
  if (keep >= size_) return;
  if (keep < 0) {
    size_ = 0;
    exponent_ = 0;
    return;
  }
  KeepDigits(static_cast<int>(keep));
}

void DecimalNumber::RoundToSignificant(int count) {
  if (count < size_) KeepDigits(count < 0 ? 0 : count);
}

void DecimalNumber::KeepDigits(int keep) {
  if (keep >= size_) {
    StripTrailingZeros();
    return;
  }
  const bool round_up = digits_[keep] >= 5;
  size_ = keep;
  if (round_up) {
    int i = keep - 1;
    while (i >= 0 && digits_[i] == 9) {
      digits_[i] = 0;
      --i;
    }
    if (i >= 0) {
      ++digits_[i];
    } else {
      // Carry out of the top digit: 0.999 -> 1.000.
      digits_[0] = 1;
      size_ = 1;
      ++exponent_;
      return;
    }
  }
  StripTrailingZeros();
  if (size_ == 0) exponent_ = 0;
}

void DecimalNumber::StripTrailingZeros() {
  while (size_ > 0 && digits_[size_ - 1] == 0) --size_;
  if (size_ == 0) exponent_ = 0;
}

}  // namespace quorvex::sheet::numfmt
