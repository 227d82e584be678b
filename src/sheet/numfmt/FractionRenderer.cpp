// Fraction sections: whole part, searched or fixed-denominator fraction, aligned placeholders.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "sheet/numfmt/FractionSearch.h"
#include "sheet/numfmt/NumberRenderer.h"

namespace quorvex::sheet::numfmt {
namespace {

constexpr int kMaxSearchedDenominatorDigits = 9;

/// The numbers a fraction section shows for one value.
struct FractionValue {
  double whole = 0;
  Fraction fraction;
  bool shown = true;        // the fraction is written (else blanked, or left out with '#')
  bool whole_shown = true;  // the whole part writes a digit
};

FractionValue Split(const Section& s, double x) {
  FractionValue v;
  const bool has_whole = s.integer_digits > 0;
  v.whole = has_whole ? std::floor(x) : 0;
  const double rest = x - v.whole;
  if (s.denominator > 0) {
    v.fraction.denominator = s.denominator;
    v.fraction.numerator = std::floor(rest * static_cast<double>(s.denominator) + 0.5);
  } else {
    std::int64_t max_denominator = 1;
    for (int i = std::clamp(s.denominator_digits, 1, kMaxSearchedDenominatorDigits); i > 0; --i)
      max_denominator *= 10;
    v.fraction = ConvergentFraction(rest, max_denominator - 1);
  }
  if (!has_whole) return v;
  if (v.fraction.numerator >= static_cast<double>(v.fraction.denominator)) {
    v.whole += 1;  // rounded up to the next whole number
    v.fraction.numerator = 0;
  }
  if (v.fraction.numerator == 0 && s.denominator == 0) v.fraction.denominator = 1;
  v.shown = v.fraction.numerator != 0 || s.fraction_zeros;
  // A whole number below one writes its 0 only when the fraction is blank.
  v.whole_shown = v.whole >= 1 || !v.shown;
  return v;
}

std::size_t CodePoints(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

/// A literal as text, as spaces of its width, or left out, by where it stands.
void AppendLiteral(const Section& s, const Part& part, const FractionValue& v, bool improper,
                   std::string& out) {
  const std::string_view text(s.literals.data() + part.offset, part.size);
  const bool numerator_pads = s.numerator_min > 0;
  const bool denominator_pads = s.denominator_min > 0;
  bool as_text = v.shown;
  bool as_spaces = false;
  switch (improper ? static_cast<char>(kGapNone) : part.ch) {
    case kGapBeforeNumerator:
      as_text = v.shown && v.whole_shown;
      if (text.find_first_not_of(' ') == std::string_view::npos) {
        as_spaces = (v.shown || numerator_pads || denominator_pads) && (v.whole_shown || numerator_pads);
      } else {
        as_spaces = denominator_pads && (v.whole_shown || numerator_pads);
      }
      break;
    case kGapBeforeBar:
      as_spaces = numerator_pads || denominator_pads;
      break;
    case kGapBeforeDenominator:
      as_spaces = denominator_pads;
      break;
    default:
      as_text = true;
      break;
  }
  if (as_text) {
    out.append(text);
  } else if (as_spaces) {
    out.append(CodePoints(text), ' ');
  }
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
  const int pad = std::max(0, s.denominator_digits - length);
  zeros = std::min(zeros, pad);
  spaces = std::min(spaces, pad - zeros);
  out.append(static_cast<std::size_t>(zeros), '0');
  out.append(buffer, end);
  out.append(static_cast<std::size_t>(spaces), ' ');
}

/// A placeholder with nothing to show: '0' a zero, '?' a space, '#' nothing.
void AppendPadding(char ch, std::string& out) {
  if (ch == '0') out.push_back('0');
  if (ch == '?') out.push_back(' ');
}

}  // namespace

void AppendFractionSection(const Section& s, double magnitude, std::string& out) {
  double x = magnitude;
  if (s.shift != 0) x *= std::pow(10.0, s.shift);
  if (!std::isfinite(x)) x = 0;
  const FractionValue v = Split(s, x);
  const bool improper = s.integer_digits == 0;

  const DecimalNumber whole_digits = DecimalNumber::FromDouble(v.whole);
  IntegerDigitWriter integers(whole_digits, s.integer_digits, s.thousands, !v.shown);
  const DecimalNumber numerator_digits = DecimalNumber::FromDouble(v.fraction.numerator);
  IntegerDigitWriter numerators(numerator_digits, s.numerator_digits, false, true);
  bool denominator_written = false;
  for (const Part& part : s.parts) {
    switch (part.kind) {
      case PartKind::kLiteral:
        AppendLiteral(s, part, v, improper, out);
        break;
      case PartKind::kIntegerDigit:
        integers.Placeholder(part.ch, out);
        break;
      case PartKind::kNumerator:
        if (v.shown) {
          numerators.Placeholder(part.ch, out);
        } else {
          AppendPadding(part.ch, out);
        }
        break;
      case PartKind::kFractionBar:
        if (v.shown) {
          out.push_back('/');
        } else if (s.numerator_min > 0 || s.denominator_min > 0) {
          out.push_back(' ');
        }
        break;
      case PartKind::kDenominator:
        if (!v.shown) {
          AppendPadding(part.ch, out);
        } else if (!denominator_written) {
          AppendDenominator(s, v.fraction.denominator, out);
          denominator_written = true;
        }
        break;
      case PartKind::kFixedDenominator:
        if (v.shown) {
          AppendDenominator(s, v.fraction.denominator, out);
        } else {
          out.append(part.width, ' ');
        }
        break;
      case PartKind::kDenominatorPad:
        AppendPadding(part.ch, out);
        break;
      default:
        break;
    }
  }
}

}  // namespace quorvex::sheet::numfmt
