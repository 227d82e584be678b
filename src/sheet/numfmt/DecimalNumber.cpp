// Decimal digits of a cell value and their display rounding.
#include "sheet/numfmt/DecimalNumber.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvex::sheet::numfmt {
namespace {

// Every power of ten up to 10^22 is a double exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxPowerOfTen = 22;

/// The 15 significant digits of `value` as a whole number, and the power of ten that scales
/// `value` to it, computed without converting to text; 0 when the quick computation cannot be
/// sure of the rounding (the caller then takes the shortest-form path).
///
/// The digits a cell shows are the shortest round-trip form S of the double, rounded half up to
/// 15 digits. S lies within half an ulp of the double. With x = value * 10^k in [10^14, 10^15),
/// known exactly as the rounded product plus its error (fma), S scaled lies within
/// half_ulp * 10^k of x; when no half-way point between whole numbers lies that close to x,
/// rounding x and rounding S give the same whole number. Near a power of ten, S cannot fall on
/// the other side of it, as the power itself would then be the shorter form.
std::uint64_t FifteenDigits(double value, int& k) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int binary_exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
  // floor(binary_exponent * log10(2)), which is floor(log10(value)) or one less.
  const int decimal_exponent = (binary_exponent * 78913) >> 18;
  k = DecimalNumber::kMaxDigits - 1 - decimal_exponent;
  if (k < 0 || k > kMaxPowerOfTen) return 0;
  double scaled = value * kPowersOfTen[k];
  if (scaled >= 1e15) {
    if (k == 0) return 0;
    scaled = value * kPowersOfTen[--k];
  }
  if (scaled < 1e14 || scaled >= 1e15) return 0;
  const auto whole = static_cast<std::uint64_t>(scaled);
  // x - whole, within 2^-50 (the rounding of this sum); x itself is within 1/16 of scaled.
  const double fraction = (scaled - static_cast<double>(whole)) + std::fma(value, kPowersOfTen[k], -scaled);
  // Half an ulp of value, scaled, with the rounding of the computations above on top.
  const double half_ulp =
      std::bit_cast<double>(static_cast<std::uint64_t>(binary_exponent - 53 + 1023) << 52);
  const double margin = kPowersOfTen[k] * half_ulp + 0x1p-40;
  if (fraction < 0.5 - margin) return whole;
  if (fraction > 0.5 + margin) return whole + 1;
  return 0;
}

}  // namespace

DecimalNumber DecimalNumber::FromDouble(double value) {
  DecimalNumber d;
  value = std::fabs(value);
  if (!(value > 0) || !std::isfinite(value)) return d;
  int k = 0;
  if (const std::uint64_t digits = FifteenDigits(value, k); digits != 0) {
    if (digits == 1'000'000'000'000'000) {  // rounded up to the next power of ten
      d.digits_[0] = 1;
      d.size_ = 1;
      d.exponent_ = kMaxDigits + 1 - k;
      return d;
    }
    // In two halves of 7 and 8 digits, whose 32-bit divisions cost less; values with up to
    // seven significant digits (most amounts) need only the first.
    auto high = static_cast<std::uint32_t>(digits / 100'000'000);
    auto low = static_cast<std::uint32_t>(digits % 100'000'000);
    d.size_ = low == 0 ? 7 : kMaxDigits;
    for (int i = d.size_ - 1; i >= 7; --i, low /= 10) d.digits_[i] = static_cast<std::uint8_t>(low % 10);
    for (int i = 6; i >= 0; --i, high /= 10) d.digits_[i] = static_cast<std::uint8_t>(high % 10);
    d.exponent_ = kMaxDigits - k;
    d.StripTrailingZeros();
    return d;
  }
  char buffer[64];
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
