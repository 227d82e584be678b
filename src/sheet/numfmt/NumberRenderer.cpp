// Number and scientific sections: digit placeholders over 15-significant-digit values.
#include "sheet/numfmt/NumberRenderer.h"

#include <algorithm>
#include <charconv>

#include "sheet/numfmt/GeneralFormat.h"

namespace quorvex::sheet::numfmt {

IntegerDigitWriter::IntegerDigitWriter(const DecimalNumber& digits, int placeholders, bool thousands,
                                       bool zero_digit)
    : digits_(digits),
      count_(digits.IntegerDigitCount()),
      placeholders_(placeholders),
      thousands_(thousands),
      zero_digit_(zero_digit && digits.IntegerDigitCount() == 0) {}

void IntegerDigitWriter::Placeholder(char ch, std::string& out) {
  const int i = next_++;
  if (i >= placeholders_) return;
  if (i == 0) {
    for (int k = 0; k < count_ - placeholders_; ++k) Digit(k, out);
  }
  const int k = count_ - placeholders_ + i;  // digit index this placeholder shows
  if (k >= 0) return Digit(k, out);
  if (ch == '0' || (zero_digit_ && i == placeholders_ - 1)) {
    out.push_back('0');
    Separator(k, ',', out);
  } else if (ch == '?') {
    out.push_back(' ');
    Separator(k, ' ', out);
  }
}

void IntegerDigitWriter::AllDigits(std::string& out) {
  for (int k = 0; k < count_; ++k) Digit(k, out);
}

void IntegerDigitWriter::Digit(int k, std::string& out) {
  out.push_back(static_cast<char>('0' + digits_.IntegerDigit(k)));
  Separator(k, ',', out);
}

void IntegerDigitWriter::Separator(int k, char pad, std::string& out) const {
  const int from_right = count_ - 1 - k;
  if (thousands_ && from_right > 0 && from_right % 3 == 0) out.push_back(pad);
}

namespace {

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

/// Index of the last non-zero digit among the first `count` decimals, -1 when all are zero.
int LastSignificantDecimal(const DecimalNumber& d, int count) {
  const int stored = std::min(count, d.size() - d.exponent());
  for (int j = stored - 1; j >= 0; --j) {
    if (d.FractionDigit(j) != 0) return j;
  }
  return -1;
}

void AppendFractionDigit(char ch, int digit, bool significant, std::string& out) {
  if (significant || ch == '0') {
    out.push_back(static_cast<char>('0' + digit));
  } else if (ch == '?') {
    out.push_back(' ');
  }
}

void AppendExponent(const Part& mark, int exponent, int min_digits, std::string& out) {
  out.push_back(mark.ch2);
  if (exponent < 0) {
    out.push_back('-');
    exponent = -exponent;
  } else if (mark.ch == '+') {
    out.push_back('+');
  }
  char buffer[12];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, exponent);
  for (long pad = min_digits - (end - buffer); pad > 0; --pad) out.push_back('0');
  out.append(buffer, end);
}

/// Writes the parts of a number or scientific section for digits already scaled and rounded.
void AppendParts(const Section& s, const DecimalNumber& d, int exponent, double magnitude, std::string& out) {
  IntegerDigitWriter integers(d, s.integer_digits, s.thousands);
  const int last_significant = LastSignificantDecimal(d, s.fraction_digits);
  int decimal = 0;
  for (const Part& part : s.parts) {
    switch (part.kind) {
      case PartKind::kLiteral:
        out.append(s.literals, part.offset, part.size);
        break;
      case PartKind::kIntegerDigit:
        integers.Placeholder(part.ch, out);
        break;
      case PartKind::kDecimalPoint:
        if (s.integer_digits == 0) integers.AllDigits(out);
        out.push_back('.');
        break;
      case PartKind::kFractionDigit: {
        const int j = decimal++;
        AppendFractionDigit(part.ch, d.FractionDigit(j), j <= last_significant, out);
        break;
      }
      case PartKind::kExponentMark:
        if (s.integer_digits == 0 && s.fraction_digits == 0) integers.AllDigits(out);
        AppendExponent(part, exponent, std::max(1, s.exponent_digits), out);
        break;
      case PartKind::kGeneral:
        AppendGeneral(magnitude, out);
        break;
      default:
        break;
    }
  }
}

/// The plain shape: every digit is written in one pass, the literals around them as they come.
void AppendPlainParts(const Section& s, const DecimalNumber& d, std::string& out) {
  const int count = d.IntegerDigitCount();
  const int shown = std::max(count, s.min_integer_digits);
  bool digits_written = false;
  for (const Part& part : s.parts) {
    if (part.kind == PartKind::kLiteral) {
      out.append(s.literals, part.offset, part.size);
    } else if (!digits_written) {
      digits_written = true;
      // Room for every digit, separator and the point at once, then written through a pointer.
      const std::size_t start = out.size();
      out.resize(start + static_cast<std::size_t>(shown + shown / 3 + 1 + s.fraction_digits));
      char* o = out.data() + start;
      for (int k = 0; k < shown; ++k) {
        const int i = k - (shown - count);
        *o++ = static_cast<char>('0' + (i < 0 ? 0 : d.IntegerDigit(i)));
        const int from_right = shown - 1 - k;
        if (s.thousands && from_right > 0 && from_right % 3 == 0) *o++ = ',';
      }
      if (s.fraction_digits > 0) *o++ = '.';
      for (int j = 0; j < s.fraction_digits; ++j) *o++ = static_cast<char>('0' + d.FractionDigit(j));
      out.resize(static_cast<std::size_t>(o - out.data()));
    }
  }
}

}  // namespace

void AppendFixedSection(const Section& s, double magnitude, bool minus, std::string& out) {
  DecimalNumber d = DecimalNumber::FromDouble(magnitude);
  d.Shift(s.shift);
  d.RoundToDecimals(s.fraction_digits);
  // -0.001 under "0.00" shows 0.00: the sign only stands before digits that are not all zero.
  if (minus && (!d.IsZero() || !s.has_digits)) out.push_back('-');
  if (s.plain) return AppendPlainParts(s, d, out);
  AppendParts(s, d, 0, magnitude, out);
}

void AppendScientificSection(const Section& s, double magnitude, std::string& out) {
  DecimalNumber d = DecimalNumber::FromDouble(magnitude);
  d.Shift(s.shift);
  const int period = std::max(1, s.integer_digits);
  int exponent = 0;
  if (!d.IsZero()) {
    exponent = FloorDiv(d.exponent() - 1, period) * period;
    DecimalNumber mantissa = d;
    mantissa.Shift(-exponent);
    mantissa.RoundToDecimals(s.fraction_digits);
    if (mantissa.IntegerDigitCount() > period) {
      // Rounding carried into a new digit (9.99 -> 10.0): move to the next exponent.
      const int next = FloorDiv(mantissa.exponent() - 1 + exponent, period) * period;
      mantissa.Shift(exponent - next);
      mantissa.RoundToDecimals(s.fraction_digits);
      exponent = next;
    }
    d = mantissa;
  }
  AppendParts(s, d, exponent, magnitude, out);
}

}  // namespace quorvex::sheet::numfmt
