// Continued-fraction search for fraction formats.
#include "sheet/numfmt/FractionSearch.h"

#include <cmath>

namespace quorvex::sheet::numfmt {
namespace {

// From here on a double holds no fractional part, so the value is its own convergent.
constexpr double kWholeLimit = 4503599627370496.0;  // 2^52
// A double's continued fraction ends within about 40 terms; the bound only guards the loop.
constexpr int kMaxTerms = 64;
// A convergent this close ends the search even when a longer denominator would fit: nine-digit
// denominators show 0.123251512342345 as 480894/3901729 and 12.3456789 as 12 3418802/9890109,
// not as the still closer convergents after them.
constexpr double kCloseEnough = 1e-13;

}  // namespace

Fraction ConvergentFraction(double x, std::int64_t max_denominator) {
  if (!(x < kWholeLimit)) return {std::floor(x), 1};
  // h(k) = a(k) h(k-1) + h(k-2), starting from h(-1) = 1/0 and h(-2) = 0/1.
  double p_before = 0;
  std::int64_t q_before = 1;
  double p = 1;
  std::int64_t q = 0;
  double rest = x;
  for (int term = 0; term < kMaxTerms; ++term) {
    const double a = std::floor(rest);
    // Stop before the first convergent whose denominator does not fit (a * q alone may
    // already overflow, so compare by division).
    if (q != 0 && a > static_cast<double>(max_denominator - q_before) / static_cast<double>(q)) break;
    const double p_next = a * p + p_before;
    const std::int64_t q_next = static_cast<std::int64_t>(a) * q + q_before;
    p_before = p;
    q_before = q;
    p = p_next;
    q = q_next;
    const double remainder = rest - a;
    if (remainder <= 0 || std::fabs(x - p / static_cast<double>(q)) < kCloseEnough) break;
    rest = 1 / remainder;
  }
  return {p, q};
}

}  // namespace quorvex::sheet::numfmt
