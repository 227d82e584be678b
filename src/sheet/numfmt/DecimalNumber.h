// A non-negative number as at most 15 significant decimal digits, the precision a cell displays.
#pragma once

#include <cstdint>

namespace quorvex::sheet::numfmt {

/// Value = 0.d[0]d[1]...d[size-1] x 10^exponent, digits without trailing zeros; zero has size 0.
/// Every display rounding works on these digits (half away from zero), so 2.675 shows as 2.68
/// and 0.1 + 0.2 as 0.3, as a spreadsheet application shows them.
class DecimalNumber {
 public:
  static constexpr int kMaxDigits = 15;

  /// The 15-significant-digit form of |value| (value must be finite).
  static DecimalNumber FromDouble(double value);

  bool IsZero() const { return size_ == 0; }
  int size() const { return size_; }
  int exponent() const { return exponent_; }
  /// Digit `i` (0-based from the most significant); 0 past the stored digits.
  int Digit(int i) const { return i >= 0 && i < size_ ? digits_[i] : 0; }

  /// Count of digits before the decimal point (0 for values below 1).
  int IntegerDigitCount() const { return size_ == 0 || exponent_ < 0 ? 0 : exponent_; }
  /// Digit `i` of the integer part, left to right.
  int IntegerDigit(int i) const { return Digit(i); }
  /// Digit `j` after the decimal point (0-based).
  int FractionDigit(int j) const { return Digit(exponent_ + j); }

  /// Multiplies by 10^shift (percent signs and scaling commas).
  void Shift(int shift);
  /// Rounds half away from zero to `decimals` places after the point (may be negative).
  void RoundToDecimals(int decimals);
  /// Rounds half away from zero to `count` significant digits.
  void RoundToSignificant(int count);

 private:
  void KeepDigits(int keep);
  void StripTrailingZeros();

  std::uint8_t digits_[kMaxDigits + 2] = {};
  int size_ = 0;
  int exponent_ = 0;
};

}  // namespace quorvex::sheet::numfmt
