// Builds one section of a number format from its tokens.
#include "sheet/numfmt/SectionBuilder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sheet/numfmt/DateBuilder.h"
#include "sheet/numfmt/DateNames.h"
#include "sheet/numfmt/EastAsianNumerals.h"
#include "sheet/numfmt/FractionBuilder.h"
#include "sheet/numfmt/SectionParts.h"

namespace quorvex::sheet::numfmt {
namespace {

// The en-US system formats that [$-F800] and [$-F400] stand for.
constexpr std::string_view kSystemLongDate = "dddd, mmmm d, yyyy";
constexpr std::string_view kSystemTime = "h:mm:ss AM/PM";

using Tokens = std::span<const Token>;

bool IsDateToken(const Token& t) {
  return t.kind == TokenKind::kDate || t.kind == TokenKind::kAmPm || t.kind == TokenKind::kAP ||
         t.kind == TokenKind::kElapsed;
}

/// General, alone or with a colour, a condition or a locale; a display hint alone ("[Blue]",
/// "[DBNum1]") means General too.
bool IsGeneralOnly(Tokens tokens) {
  int general = 0;
  int colors = 0;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::kGeneral) {
      ++general;
    } else if (t.kind == TokenKind::kColor || t.kind == TokenKind::kNumerals) {
      ++colors;
    } else if (t.kind != TokenKind::kCondition && t.kind != TokenKind::kLocale) {
      return false;
    }
  }
  return general == 1 || (general == 0 && colors > 0);
}

void BuildText(Tokens tokens, SectionParts& parts) {
  parts.section().kind = SectionKind::kText;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::kAt || t.kind == TokenKind::kGeneral) {
      parts.Add(PartKind::kTextValue);
    } else {
      parts.AddSource(t);
    }
  }
}

/// True when the integer placeholders (those before `point`) are broken up by anything but
/// thousands commas, as in "0,x0": such a number is not grouped by thousands.
bool IntegerIsFragmented(Tokens tokens, std::size_t point) {
  std::size_t first = point;
  std::size_t last = point;
  for (std::size_t i = 0; i < point; ++i) {
    if (tokens[i].kind != TokenKind::kDigit) continue;
    if (first == point) first = i;
    last = i;
  }
  for (std::size_t i = first; i < last; ++i) {
    if (tokens[i].kind != TokenKind::kDigit && tokens[i].kind != TokenKind::kGroup) return true;
  }
  return false;
}

bool HasPoint(const Section& s) {
  return std::any_of(s.parts.begin(), s.parts.end(),
                     [](const Part& p) { return p.kind == PartKind::kDecimalPoint; });
}

/// Sets Section::plain when the parts are literals, a run of integer placeholders ('#' before
/// '0'), an optional point with '0' decimals, and literals.
void MarkPlain(Section& s) {
  enum Stage { kBefore, kIntegers, kFractions, kAfter } stage = kBefore;
  int zeros = 0;
  for (const Part& part : s.parts) {
    switch (part.kind) {
      case PartKind::kLiteral:
        if (stage != kBefore) stage = kAfter;
        break;
      case PartKind::kIntegerDigit:
        if (stage > kIntegers || part.ch == '?' || (part.ch == '#' && zeros > 0)) return;
        stage = kIntegers;
        if (part.ch == '0') ++zeros;
        break;
      case PartKind::kDecimalPoint:
        if (stage != kIntegers) return;
        stage = kFractions;
        break;
      case PartKind::kFractionDigit:
        if (stage != kFractions || part.ch != '0') return;
        break;
      default:
        return;
    }
  }
  // A point without decimals after it ("0.") keeps the general path.
  s.plain = stage != kBefore && (s.fraction_digits > 0 || !HasPoint(s));
  if (s.plain) s.min_integer_digits = zeros;
}

// Plain numbers: integer digits, optional decimal point and fraction digits, literals.
void BuildNumber(Tokens tokens, SectionParts& parts) {
  Section& s = parts.section();
  s.kind = SectionKind::kNumber;
  const std::size_t n = tokens.size();
  const auto first_point =
      std::find_if(tokens.begin(), tokens.end(), [](const Token& t) { return t.kind == TokenKind::kPoint; });
  const std::size_t point = static_cast<std::size_t>(first_point - tokens.begin());
  const bool fragmented = IntegerIsFragmented(tokens, point);
  for (std::size_t i = 0; i < n; ++i) {
    const Token& t = tokens[i];
    switch (t.kind) {
      case TokenKind::kDigit:
        if (i < point) {
          parts.Add(PartKind::kIntegerDigit, t.ch);
          ++s.integer_digits;
        } else {
          parts.Add(PartKind::kFractionDigit, t.ch);
          ++s.fraction_digits;
        }
        break;
      case TokenKind::kPoint:
        if (i == point) {
          parts.Add(PartKind::kDecimalPoint);
        } else {
          parts.AddLiteral(".");
        }
        break;
      case TokenKind::kGroup:
        if (i < point && !fragmented) s.thousands = true;  // among the decimals it does nothing
        break;
      case TokenKind::kScale:
        parts.AddShift(-3 * t.count);
        break;
      case TokenKind::kPercent:
        parts.AddPercent();
        break;
      case TokenKind::kGeneral:
        parts.Add(PartKind::kGeneral);
        break;
      case TokenKind::kAt:
        break;
      default:
        parts.AddSource(t);
        break;
    }
  }
  s.has_digits = s.integer_digits + s.fraction_digits > 0;
  MarkPlain(s);
}

// Mantissa, E+ or E-, exponent digits, then literals.
void BuildScientific(Tokens tokens, SectionParts& parts) {
  Section& s = parts.section();
  s.kind = SectionKind::kScientific;
  s.has_digits = true;
  const std::size_t n = tokens.size();
  std::size_t i = 0;
  bool point_seen = false;
  for (; i < n && tokens[i].kind != TokenKind::kExponent; ++i) {
    const Token& t = tokens[i];
    if (t.kind == TokenKind::kDigit) {
      parts.Add(point_seen ? PartKind::kFractionDigit : PartKind::kIntegerDigit, t.ch);
      ++(point_seen ? s.fraction_digits : s.integer_digits);
    } else if (t.kind == TokenKind::kPoint && !point_seen) {
      point_seen = true;
      parts.Add(PartKind::kDecimalPoint);
    } else if (t.kind == TokenKind::kPercent) {
      parts.AddPercent();
    } else if (t.kind != TokenKind::kGroup && t.kind != TokenKind::kScale && t.kind != TokenKind::kAt) {
      parts.AddSource(t);
    }
  }
  parts.Add(PartKind::kExponentMark, tokens[i].ch);
  s.parts.back().ch2 = tokens[i].text[0];  // 'E' or 'e' as written
  for (++i; i < n && tokens[i].kind == TokenKind::kDigit; ++i) {
    parts.Add(PartKind::kExponentDigit, tokens[i].ch);
    ++s.exponent_digits;
  }
  for (; i < n; ++i) {
    if (tokens[i].kind == TokenKind::kPercent) parts.AddShift(2);
    if (tokens[i].kind != TokenKind::kAt) parts.AddSource(tokens[i]);
  }
}

}  // namespace

void BuildSection(Tokens tokens, bool text_section, Section& section) {
  SectionParts parts(section);
  std::uint32_t lcid = 0;
  int numerals = 0;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::kCondition) section.condition = {t.op, t.number};
    if (t.kind == TokenKind::kLocale) lcid = LcidOfTag(t.text);
    if (t.kind == TokenKind::kNumerals) numerals = t.count;
  }
  if (lcid != 0) section.names = &DateNamesForLcid(lcid);
  if (text_section) return BuildText(tokens, parts);
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::kSystemDate || t.kind == TokenKind::kSystemTime) {
      const TokenList system =
          TokenizeFormat(t.kind == TokenKind::kSystemDate ? kSystemLongDate : kSystemTime);
      section.names = &EnglishDateNames();
      return BuildDateSection(system.tokens, parts);
    }
  }
  if (std::any_of(tokens.begin(), tokens.end(), IsDateToken)) return BuildDateSection(tokens, parts);
  if (std::any_of(tokens.begin(), tokens.end(),
                  [](const Token& t) { return t.kind == TokenKind::kExponent; })) {
    return BuildScientific(tokens, parts);
  }
  FractionLayout fraction;
  if (FindFraction(tokens, fraction)) return BuildFraction(tokens, fraction, parts);
  if (IsGeneralOnly(tokens)) {
    section.kind = SectionKind::kGeneral;
    parts.Add(PartKind::kGeneral);
    if (numerals != 0) section.numerals = NumeralStyleFor(lcid, numerals);
    return;
  }
  BuildNumber(tokens, parts);
}

}  // namespace quorvex::sheet::numfmt
