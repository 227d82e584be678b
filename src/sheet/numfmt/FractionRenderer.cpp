// Fraction sections: whole part, best or fixed-denominator fraction, aligned placeholders.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "sheet/numfmt/NumberRenderer.h"

namespace quorvex::sheet::numfmt {
namespace {

// Above this a double holds no fractional part.
constexpr double kWholeLimit = 4503599627370496.0;  // 2^52
constexpr int kMaxChosenDenominatorDigits = 7;

struct Fraction {
  double numerator = 0;
  std::int64_t denominator = 1;
};

/// The fraction closest to x (x >= 0) with a denominator up to `max_denominator`, found from
/// the continued fraction of x: the last convergent within the limit or the best semiconvergent
/// after it. Ties go to the smaller denominator.
Fraction BestFraction(double x, std::int64_t max_denominator) {
  if (x >= kWholeLimit) return {std::floor(x), 1};
  std::int64_t p0 = 0, q0 = 1, p1 = 1, q1 = 0;
  double rest = x;
  for (int step = 0; step < 64; ++step) {
    const double whole = std::floor(rest);
    if (whole >= kWholeLimit) break;
    const auto a = static_cast<std::int64_t>(whole);
    if (q1 != 0 && a > (max_denominator - q0) / q1) break;
    const std::int64_t p2 = p0 + a * p1;
    const std::int64_t q2 = q0 + a * q1;
    p0 = p1;
    q0 = q1;
    p1 = p2;
    q1 = q2;
    const double remainder = rest - whole;
    if (remainder <= 0) return {static_cast<double>(p1), q1};
    rest = 1 / remainder;
  }
  const std::int64_t k = (max_denominator - q0) / q1;
  const double semi_p = static_cast<double>(p0 + k * p1);
  const std::int64_t semi_q = q0 + k * q1;
  const double convergent_error = std::fabs(x - static_cast<double>(p1) / static_cast<double>(q1));
  const double semi_error = std::fabs(x - semi_p / static_cast<double>(semi_q));
  if (semi_error < convergent_error || (semi_error == convergent_error && semi_q < q1)) {
    return {semi_p, semi_q};
  }
  return {static_cast<double>(p1), q1};
}

/// Denominator digits: written left-aligned, '?' padding after them with spaces,
/// '0' padding before them with zeros.
void AppendDenominator(const Section& s, std::int64_t denominator, std::string& out) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, denominator);
  const int length = static_cast<int>(end - buffer);
  int zeros = 0;
  int spaces = 0;
  for (const Part& part : s.parts) {
    if (part.kind != PartKind::kDenominator) continue;
    if (part.ch == '0') ++zeros;
    if (part.ch == '?') ++spaces;
  }
  int pad = std::max(0, s.denominator_digits - length);
  zeros = std::min(zeros, pad);
  spaces = std::min(spaces, pad - zeros);
  out.append(static_cast<std::size_t>(zeros), '0');
  out.append(buffer, end);
  out.append(static_cast<std::size_t>(spaces), ' ');
}

}  // namespace

void AppendFractionSection(const Section& s, double magnitude, std::string& out) {
  double x = magnitude;
  if (s.shift != 0) x *= std::pow(10.0, s.shift);
  if (!std::isfinite(x)) x = 0;
  const bool has_whole = s.integer_digits > 0;
  double whole = has_whole ? std::floor(x) : 0;
  const double rest = x - whole;

  Fraction f;
  if (s.denominator > 0) {
    f.denominator = s.denominator;
    f.numerator = std::floor(rest * static_cast<double>(s.denominator) + 0.5);
  } else {
    const int digits = std::clamp(s.denominator_digits, 1, kMaxChosenDenominatorDigits);
    std::int64_t max_denominator = 1;
    for (int i = 0; i < digits; ++i) max_denominator *= 10;
    f = BestFraction(rest, max_denominator - 1);
  }
  if (has_whole && f.numerator >= static_cast<double>(f.denominator)) {
    whole += 1;  // rounded up to the next whole number
    f.numerator = 0;
  }
  // A whole number shows its integer and blanks where the fraction would be.
  const bool blank_fraction = has_whole && f.numerator == 0;

  const DecimalNumber whole_digits = DecimalNumber::FromDouble(whole);
  IntegerDigitWriter integers(whole_digits, s.integer_digits, s.thousands, blank_fraction);
  const DecimalNumber numerator_digits = DecimalNumber::FromDouble(f.numerator);
  IntegerDigitWriter numerators(numerator_digits, s.numerator_digits, false, true);
  bool denominator_written = false;
  for (const Part& part : s.parts) {
    switch (part.kind) {
      case PartKind::kLiteral: out.append(s.literals, part.offset, part.size); break;
      case PartKind::kIntegerDigit: integers.Placeholder(part.ch, out); break;
      case PartKind::kNumerator:
        if (blank_fraction) {
          out.push_back(' ');
        } else {
          numerators.Placeholder(part.ch, out);
        }
        break;
      case PartKind::kFractionBar: out.push_back(blank_fraction ? ' ' : '/'); break;
      case PartKind::kDenominator:
      case PartKind::kFixedDenominator:
        if (blank_fraction) {
          out.append(part.kind == PartKind::kDenominator ? 1 : part.width, ' ');
        } else if (!denominator_written) {
          AppendDenominator(s, f.denominator, out);
          denominator_written = true;
        }
        break;
      default: break;
    }
  }
}

}  // namespace quorvex::sheet::numfmt
