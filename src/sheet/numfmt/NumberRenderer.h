// Renders numbers through number, scientific and fraction sections.
#pragma once

#include <string>

#include "sheet/numfmt/DecimalNumber.h"
#include "sheet/numfmt/FormatParser.h"

namespace quorvex::sheet::numfmt {

/// Writes the integer digits of a number through a run of integer placeholders: digits align
/// right, extra digits go to the first placeholder, missing ones show as '0' (0), a space (?)
/// or nothing (#), with a comma between thousands when asked.
class IntegerDigitWriter {
 public:
  /// `zero_digit`: a zero value shows one '0' in the last placeholder whatever its kind.
  IntegerDigitWriter(const DecimalNumber& digits, int placeholders, bool thousands, bool zero_digit = false);

  /// Writes what the next placeholder (ch: '0', '#' or '?') shows.
  void Placeholder(char ch, std::string& out);
  /// Writes every integer digit (a format with no integer placeholders before its point).
  void AllDigits(std::string& out);

 private:
  void Digit(int k, std::string& out);
  void Separator(int k, char pad, std::string& out) const;

  const DecimalNumber& digits_;
  int count_;  // integer digits of the number
  int placeholders_;
  int next_ = 0;  // index of the next placeholder
  bool thousands_;
  bool zero_digit_;
};

/// Appends |value| through a number section (digits, decimals, percent, literals), after a
/// minus sign when `minus` and the shown digits are not all zero (or the section has none).
void AppendFixedSection(const Section& section, double magnitude, bool minus, std::string& out);
/// Appends |value| through a scientific section: the exponent is a multiple of the number of
/// integer placeholders (##0.0E+0 gives engineering notation).
void AppendScientificSection(const Section& section, double magnitude, std::string& out);
/// Appends |value| through a fraction section.
void AppendFractionSection(const Section& section, double magnitude, std::string& out);

}  // namespace quorvex::sheet::numfmt
