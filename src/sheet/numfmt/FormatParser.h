// Parsed number formats as plain data: sections of parts, ready for the renderers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/numfmt/DateNames.h"
#include "sheet/numfmt/EastAsianNumerals.h"
#include "sheet/numfmt/FormatTokenizer.h"

namespace quorvex::sheet::numfmt {

enum class SectionKind : std::uint8_t {
  kGeneral,     // the word General and nothing else
  kNumber,      // digits, decimals, percent, literals (also a section of literals only)
  kScientific,  // mantissa E+ exponent
  kFraction,    // [integer] numerator/denominator
  kDate,        // date and time codes
  kText,        // the text section: literals and @
};

enum class PartKind : std::uint8_t {
  kLiteral,       // Section::literals[offset, offset + size); ch: a FractionGap in fractions
  kIntegerDigit,  // ch: '0' '#' '?'
  kDecimalPoint,
  kFractionDigit,  // digit after the decimal point
  kExponentMark,   // ch: '+' (sign always) or '-' (sign when negative); ch2: the letter
  kExponentDigit,
  kNumerator,  // fraction numerator digit placeholder
  kFractionBar,
  kDenominator,       // denominator digit placeholder
  kFixedDenominator,  // Section::denominator as written
  kDenominatorPad,    // ch: a placeholder after the denominator's first run, shown as padding
  kGeneral,           // the value in General form
  kTextValue,         // '@'
  kYear,              // width 2 or 4
  kBuddhistYear,      // width 2 or 4
  kEraName,           // g: no era names in the Gregorian calendar
  kMonth,             // width 1, 2 (digits), 3 (Jan), 4 (January), 5 (J)
  kDay,               // width 1, 2 (digits), 3 (Mon), 4 (Monday)
  kHour,              // width 1 or 2
  kMinute,            // width 1 or 2
  kSecond,            // width 1 or 2
  kSubsecond,         // width: 1 to 3 digits after the decimal point
  kAmPm,              // AM or PM in capitals, however the code spells it
  kAP,                // ch: letter shown for morning, ch2: for afternoon
  kElapsedHours,      // width: minimum digits
  kElapsedMinutes,
  kElapsedSeconds,
};

/// Where a literal of a fraction section stands. A fraction that rounds to nothing is blanked
/// together with the literals that lead into it.
enum FractionGap : char {
  kGapNone = 0,
  kGapBeforeNumerator = 'n',    // between the whole part and the numerator
  kGapBeforeBar = 'b',          // between the numerator and the '/'
  kGapBeforeDenominator = 'd',  // between the '/' and the denominator
};

struct Part {
  PartKind kind = PartKind::kLiteral;
  char ch = 0;
  char ch2 = 0;
  std::uint16_t width = 0;
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
};

struct Condition {
  CompareOp op = CompareOp::kNone;
  double value = 0;

  bool Present() const { return op != CompareOp::kNone; }
  bool Matches(double v) const;
  /// True when every value the condition accepts is negative.
  bool OnlyNegative() const;
};

struct Section {
  SectionKind kind = SectionKind::kNumber;
  Condition condition;
  std::vector<Part> parts;
  std::string literals;  // text of kLiteral parts

  // Numbers, scientific, fractions.
  int integer_digits = 0;   // placeholders before the point (mantissa, or fraction's whole part)
  int fraction_digits = 0;  // placeholders after the point
  bool thousands = false;   // group the integer digits by three
  bool has_digits = false;  // digit placeholders: a minus sign shows only before a non-zero digit
  int shift = 0;            // power of ten applied first: +2 per %, -3 per scaling comma
  int exponent_digits = 0;  // minimum exponent digits
  int numerator_digits = 0;
  int denominator_digits = 0;     // the denominator's first run of placeholders, or its digits
  std::uint32_t denominator = 0;  // fixed denominator, 0 when chosen per value
  int numerator_min = 0;          // numerator placeholders other than '#'
  int denominator_min = 0;        // denominator places other than '#' (digits of a fixed one)
  bool fraction_zeros = false;    // a '0' in the numerator or denominator: always shown
  // A number section of the common shape (literals, then '#' and '0' integer placeholders,
  // then '0' decimals, then literals: "0.00", "#,##0", "0.00%"): rendered on a shorter path.
  bool plain = false;
  int min_integer_digits = 0;              // '0' integer placeholders of a plain section
  const NumeralStyle* numerals = nullptr;  // [DBNum] of a General section, when its locale has it

  // Dates and times.
  const DateNames* names = &EnglishDateNames();  // chosen by the section's locale tag
  int subsecond_digits = 0;
  bool hour12 = false;
  bool elapsed = false;  // an elapsed field: a negative value shows with a minus sign
};

/// A whole format: up to three number sections and an optional text section.
struct ParsedFormat {
  std::vector<Section> sections;
  int number_sections = 0;   // sections used for numbers (the first ones)
  int text_section = -1;     // index of the text section, -1 when text shows as is
  bool conditional = false;  // the first or second section has a condition
  bool general = false;      // the whole format is General
};

/// Parses a format code; nullptr when it is malformed (the caller shows General instead).
std::unique_ptr<ParsedFormat> ParseFormat(std::string_view code);

}  // namespace quorvex::sheet::numfmt
