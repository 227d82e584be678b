// The fraction a fraction format shows for a value: a bounded continued-fraction search.
#pragma once

#include <cstdint>

namespace quorvex::sheet::numfmt {

struct Fraction {
  double numerator = 0;  // may exceed 64 bits for improper fractions of large values
  std::int64_t denominator = 1;
};

/// The fraction shown for `x` (x >= 0, finite) with a denominator of at most
/// `max_denominator` (>= 1): the last convergent of x's continued fraction whose denominator
/// fits, computed on the double itself, stopping early at one within 1e-13 of x. This is not
/// always the closest fraction: 0.3 (just below 3/10) shows as 2/7 and 12.3 (just above) as
/// 12 1/3, never as the closer semiconvergents 12 2/7 or 512/903 for 0.567 in three digits.
Fraction ConvergentFraction(double x, std::int64_t max_denominator);

}  // namespace quorvex::sheet::numfmt
