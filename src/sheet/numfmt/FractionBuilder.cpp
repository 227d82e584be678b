// Fraction sections: which placeholders make the whole part, the numerator and the denominator.
#include "sheet/numfmt/FractionBuilder.h"

#include <algorithm>
#include <cstdint>

namespace quorvex::sheet::numfmt {
namespace {

constexpr std::size_t kMaxDenominatorDigits = 9;

using Tokens = std::span<const Token>;

bool IsPlaceholder(const Token& t) {
  return t.kind == TokenKind::kDigit;
}

bool IsDigitLiteral(const Token& t, char low) {
  return t.kind == TokenKind::kLiteral && t.text.size() == 1 && t.text[0] >= low && t.text[0] <= '9';
}

/// Adds the tokens of [begin, end) as literal text and marks the literal they make with `gap`.
void AddGap(Tokens tokens, std::size_t begin, std::size_t end, FractionGap gap, SectionParts& parts) {
  const std::size_t before = parts.section().parts.size();
  for (std::size_t i = begin; i < end; ++i) parts.AddSource(tokens[i]);
  auto& list = parts.section().parts;
  if (list.size() > before) list.back().ch = gap;
}

void AddWholePart(Tokens tokens, std::size_t end, SectionParts& parts) {
  Section& s = parts.section();
  for (std::size_t i = 0; i < end; ++i) {
    const Token& t = tokens[i];
    switch (t.kind) {
      case TokenKind::kDigit:
        parts.Add(PartKind::kIntegerDigit, t.ch);
        ++s.integer_digits;
        break;
      case TokenKind::kGroup:
        if (std::any_of(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                        tokens.begin() + static_cast<std::ptrdiff_t>(end), IsPlaceholder)) {
          s.thousands = true;
        }
        break;
      case TokenKind::kScale:
        parts.AddShift(-3 * t.count);
        break;
      case TokenKind::kPercent:
        parts.AddPercent();
        break;
      case TokenKind::kAt:
        break;
      default:
        parts.AddSource(t);
        break;
    }
  }
  // Literals right before the numerator go blank with the fraction.
  if (!s.parts.empty() && s.parts.back().kind == PartKind::kLiteral) s.parts.back().ch = kGapBeforeNumerator;
}

void AddDenominator(Tokens tokens, const FractionLayout& f, SectionParts& parts) {
  Section& s = parts.section();
  if (!f.fixed) {
    for (std::size_t i = f.denominator_begin; i < f.denominator_end; ++i) {
      parts.Add(PartKind::kDenominator, tokens[i].ch);
      ++s.denominator_digits;
    }
    return;
  }
  for (std::size_t i = f.denominator_begin; i < f.denominator_end; ++i) {
    const char digit = tokens[i].kind == TokenKind::kDigit ? '0' : tokens[i].text[0];
    s.denominator = s.denominator * 10 + static_cast<std::uint32_t>(digit - '0');
  }
  s.denominator_digits = static_cast<int>(f.denominator_end - f.denominator_begin);
  parts.Add(PartKind::kFixedDenominator, 0, s.denominator_digits);
}

/// Padding rules: with a '?' anywhere in the fraction, a trailing '#' of the numerator or of
/// the denominator pads with a space as well, and a fixed denominator blanks to spaces.
void SetPadding(Section& s, bool fixed) {
  const auto is = [](PartKind kind, char ch) {
    return [kind, ch](const Part& p) { return p.kind == kind && p.ch == ch; };
  };
  const bool padded = std::any_of(s.parts.begin(), s.parts.end(), is(PartKind::kNumerator, '?')) ||
                      std::any_of(s.parts.begin(), s.parts.end(), is(PartKind::kDenominator, '?'));
  s.numerator_min = static_cast<int>(std::count_if(s.parts.begin(), s.parts.end(), [](const Part& p) {
    return p.kind == PartKind::kNumerator && p.ch != '#';
  }));
  s.fraction_zeros = std::any_of(s.parts.begin(), s.parts.end(), is(PartKind::kNumerator, '0')) ||
                     std::any_of(s.parts.begin(), s.parts.end(), is(PartKind::kDenominator, '0'));
  if (padded) {
    for (const PartKind kind : {PartKind::kNumerator, PartKind::kDenominator}) {
      const auto last =
          std::find_if(s.parts.rbegin(), s.parts.rend(), [kind](const Part& p) { return p.kind == kind; });
      if (last != s.parts.rend() && last->ch == '#') last->ch = '?';
    }
  }
  if (fixed) {
    s.denominator_min = s.denominator_digits;
    // Without padding the digits stand as written, and a '0' among them keeps the fraction.
    for (std::uint32_t rest = s.denominator; !padded && rest > 0; rest /= 10) {
      if (rest % 10 == 0) s.fraction_zeros = true;
    }
    return;
  }
  s.denominator_min = static_cast<int>(std::count_if(s.parts.begin(), s.parts.end(), [](const Part& p) {
    return p.kind == PartKind::kDenominator && p.ch != '#';
  }));
}

}  // namespace

bool FindFraction(Tokens tokens, FractionLayout& layout) {
  const std::size_t n = tokens.size();
  if (std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.kind == TokenKind::kPoint; })) {
    return false;
  }
  for (std::size_t bar = 0; bar < n; ++bar) {
    if (tokens[bar].kind != TokenKind::kSlash) continue;
    std::size_t end = bar;
    while (end > 0 && tokens[end - 1].kind == TokenKind::kLiteral) --end;
    if (end == 0 || !IsPlaceholder(tokens[end - 1])) continue;
    std::size_t begin = end;
    while (begin > 0 && IsPlaceholder(tokens[begin - 1])) --begin;
    std::size_t denominator = bar + 1;
    while (denominator < n && tokens[denominator].kind == TokenKind::kLiteral &&
           !IsDigitLiteral(tokens[denominator], '1')) {
      ++denominator;
    }
    if (denominator == n) continue;
    const bool fixed = IsDigitLiteral(tokens[denominator], '1');
    if (!fixed && !IsPlaceholder(tokens[denominator])) continue;
    std::size_t denominator_end = denominator + 1;
    while (denominator_end < n && denominator_end - denominator < kMaxDenominatorDigits) {
      const Token& t = tokens[denominator_end];
      const bool more =
          fixed ? IsDigitLiteral(t, '0') || (IsPlaceholder(t) && t.ch == '0') : IsPlaceholder(t);
      if (!more) break;
      ++denominator_end;
    }
    layout = {begin, end, bar, denominator, denominator_end, fixed};
    return true;
  }
  return false;
}

void BuildFraction(Tokens tokens, const FractionLayout& f, SectionParts& parts) {
  Section& s = parts.section();
  s.kind = SectionKind::kFraction;
  AddWholePart(tokens, f.numerator_begin, parts);
  for (std::size_t i = f.numerator_begin; i < f.numerator_end; ++i) {
    parts.Add(PartKind::kNumerator, tokens[i].ch);
    ++s.numerator_digits;
  }
  AddGap(tokens, f.numerator_end, f.bar, kGapBeforeBar, parts);
  parts.Add(PartKind::kFractionBar);
  AddGap(tokens, f.bar + 1, f.denominator_begin, kGapBeforeDenominator, parts);
  AddDenominator(tokens, f, parts);
  for (std::size_t i = f.denominator_end; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    switch (t.kind) {
      case TokenKind::kDigit:
        parts.Add(PartKind::kDenominatorPad, t.ch);
        break;
      case TokenKind::kPercent:
        parts.AddPercent();
        break;
      case TokenKind::kScale:
        parts.AddShift(-3 * t.count);
        break;
      case TokenKind::kGroup:
      case TokenKind::kAt:
        break;
      default:
        parts.AddSource(t);
        break;
    }
  }
  SetPadding(s, f.fixed);
}

}  // namespace quorvex::sheet::numfmt
