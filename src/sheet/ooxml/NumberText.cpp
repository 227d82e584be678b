// Decimal text to double: an exact quick path for short plain decimals, std::from_chars otherwise.
#include "sheet/ooxml/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace quorvex::sheet::ooxml {
namespace {

// Up to 15 digits: the whole number they make is a double exactly, and so is every 10^k with
// k <= 15, so one division gives the correctly rounded value, as from_chars does.
constexpr int kExactDigits = 15;
constexpr double kPowersOfTen[kExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// "-" and 15 digits, or 15 digits and a point: anything longer takes the general path.
constexpr std::size_t kQuickLength = kExactDigits + 1;

std::optional<double> ParseGeneral(std::string_view text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
  if (text.size() > kQuickLength) return ParseGeneral(text);
  // [-]digits[.digits], with digits on both sides of a point; anything else (exponents, "1.",
  // ".5", stray characters) goes to from_chars, which also says what it accepts.
  const char* p = text.data();
  const char* end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* digits = p;
  const char* point = nullptr;
  std::uint64_t whole = 0;
  for (; p != end; ++p) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
    if (digit < 10) {
      whole = whole * 10 + digit;
    } else if (*p == '.' && point == nullptr) {
      point = p;
    } else {
      return ParseGeneral(text);
    }
  }
  const int count = static_cast<int>(end - digits) - (point != nullptr ? 1 : 0);
  if (count == 0 || count > kExactDigits || point == digits || (point != nullptr && point + 1 == end)) {
    return ParseGeneral(text);
  }
  const int decimals = point != nullptr ? static_cast<int>(end - point - 1) : 0;
  const double magnitude = static_cast<double>(whole) / kPowersOfTen[decimals];
  return negative ? -magnitude : magnitude;
}

}  // namespace quorvex::sheet::ooxml
