// Splits a number format code into tokens: placeholders, literals, date codes, brackets.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvex::sheet::numfmt {

enum class TokenKind : std::uint8_t {
  kLiteral,       // text to show as is (quoted, escaped, _x spacing, currency symbol, plain character)
  kDigit,         // ch: '0', '#' or '?'
  kPoint,         // '.'
  kComma,         // a run of ',' shown as one ',': after a literal, or before the first digit
  kGroup,         // ',' among integer placeholders: thousands separators
  kScale,         // ',' after the last placeholder; count: commas, each dividing by 1000
  kPercent,       // '%'
  kSlash,         // '/'
  kAt,            // '@'
  kExponent,      // E+ or E-; ch: '+' or '-'
  kGeneral,       // the word General
  kDate,          // ch: 'y' 'm' 'd' 'h' 's' 'e' 'b' 'g'; count: run length
  kAmPm,          // AM/PM in any case
  kAP,            // A/P; text holds the two letters' source "a/p" as written
  kElapsed,       // [h] [mm] [ss]; ch: 'h' 'm' 's'; count: letters inside the brackets
  kCondition,     // [>=100]; op and number
  kColor,         // [Red], [Color10], [DBNum4]: display hints with no effect on text
  kNumerals,      // [DBNum1] to [DBNum3]: East Asian numerals; count: the number
  kLocale,        // [$-40C], [$€-407]: text holds the locale part after the dash
  kSystemDate,    // [$-F800] or [$-x-sysdate]: the system's long date format
  kSystemTime,    // [$-F400] or [$-x-systime]: the system's time format
  kSectionBreak,  // ';'
};

enum class CompareOp : std::uint8_t { kNone, kLess, kLessEqual, kGreater, kGreaterEqual, kEqual, kNotEqual };

struct Token {
  TokenKind kind = TokenKind::kLiteral;
  char ch = 0;
  std::uint16_t count = 0;
  CompareOp op = CompareOp::kNone;
  double number = 0;
  std::string_view text;  // literal text, or the token's source characters
};

/// Tokens of a whole format code, with kSectionBreak between sections.
struct TokenList {
  std::vector<Token> tokens;
  bool malformed = false;  // unterminated quote or bracket, unreadable condition
};

/// Tokenizes `code`; runs in time linear in its length. Text views point into `code`
/// or into static storage, so the list lives no longer than `code`.
TokenList TokenizeFormat(std::string_view code);

}  // namespace quorvex::sheet::numfmt
