// Builds one section of a number format from its tokens.
#include "sheet/numfmt/SectionBuilder.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace quorvex::sheet::numfmt {
namespace {

constexpr int kMaxSubsecondDigits = 3;
constexpr int kMaxDenominatorDigits = 9;

// The en-US system formats that [$-F800] and [$-F400] stand for.
constexpr std::string_view kSystemLongDate = "dddd, mmmm d, yyyy";
constexpr std::string_view kSystemTime = "h:mm:ss AM/PM";

bool IsDateToken(const Token& t) {
  return t.kind == TokenKind::kDate || t.kind == TokenKind::kAmPm || t.kind == TokenKind::kAP ||
         t.kind == TokenKind::kElapsed;
}

/// Date letters and elapsed brackets: the tokens that decide whether m means minutes.
bool IsDateField(const Token& t) { return t.kind == TokenKind::kDate || t.kind == TokenKind::kElapsed; }

bool IsLiteralDigit(const Token& t, char low) {
  return t.kind == TokenKind::kLiteral && t.text.size() == 1 && t.text[0] >= low && t.text[0] <= '9';
}

using Tokens = std::span<const Token>;

class SectionBuilder {
 public:
  explicit SectionBuilder(Section& section) : s_(section) {}

  void Build(Tokens tokens, bool text_section) {
    for (const Token& t : tokens) {
      if (t.kind == TokenKind::kCondition) s_.condition = {t.op, t.number};
    }
    if (text_section) return BuildText(tokens);
    for (const Token& t : tokens) {
      if (t.kind == TokenKind::kSystemDate || t.kind == TokenKind::kSystemTime) {
        return BuildSystem(t.kind == TokenKind::kSystemDate ? kSystemLongDate : kSystemTime);
      }
    }
    if (std::any_of(tokens.begin(), tokens.end(), IsDateToken)) return BuildDate(tokens);
    if (std::any_of(tokens.begin(), tokens.end(),
                    [](const Token& t) { return t.kind == TokenKind::kExponent; })) {
      return BuildScientific(tokens);
    }
    const std::size_t bar = FindFractionBar(tokens);
    if (bar != tokens.size()) return BuildFraction(tokens, bar);
    if (IsGeneralOnly(tokens)) {
      s_.kind = SectionKind::kGeneral;
      Add(PartKind::kGeneral);
      return;
    }
    BuildNumber(tokens);
  }

 private:
  void Add(PartKind kind, char ch = 0, int width = 0) {
    Part part;
    part.kind = kind;
    part.ch = ch;
    part.width = static_cast<std::uint16_t>(width);
    s_.parts.push_back(part);
  }

  void AddLiteral(std::string_view text) {
    if (text.empty()) return;
    if (!s_.parts.empty() && s_.parts.back().kind == PartKind::kLiteral) {
      s_.parts.back().size += static_cast<std::uint32_t>(text.size());
    } else {
      Part part;
      part.offset = static_cast<std::uint32_t>(s_.literals.size());
      part.size = static_cast<std::uint32_t>(text.size());
      s_.parts.push_back(part);
    }
    s_.literals.append(text);
  }

  /// Tokens outside their meaning (a '%' in a date, a '0' in text) show as written.
  void AddSource(const Token& t) {
    if (t.kind == TokenKind::kCondition || t.kind == TokenKind::kElapsed ||
        t.kind == TokenKind::kSystemDate || t.kind == TokenKind::kSystemTime) {
      return;
    }
    AddLiteral(t.text);
  }

  void AddShift(int delta) { s_.shift = std::clamp(s_.shift + delta, -20000, 20000); }

  static bool IsGeneralOnly(Tokens tokens) {
    int general = 0;
    for (const Token& t : tokens) {
      if (t.kind == TokenKind::kGeneral) {
        ++general;
      } else if (t.kind != TokenKind::kCondition) {
        return false;
      }
    }
    return general == 1;
  }

  void BuildText(Tokens tokens) {
    s_.kind = SectionKind::kText;
    for (const Token& t : tokens) {
      if (t.kind == TokenKind::kAt || t.kind == TokenKind::kGeneral) {
        Add(PartKind::kTextValue);
      } else {
        AddSource(t);
      }
    }
  }

  void BuildSystem(std::string_view code) {
    const TokenList list = TokenizeFormat(code);
    BuildDate(list.tokens);
  }

  // Plain numbers: integer digits, optional decimal point and fraction digits, literals.
  void BuildNumber(Tokens tokens) {
    s_.kind = SectionKind::kNumber;
    const std::size_t n = tokens.size();
    std::size_t point = n;
    std::size_t first_digit = n;
    std::size_t last_digit = n;
    std::size_t last_integer_digit = n;
    for (std::size_t i = 0; i < n; ++i) {
      if (tokens[i].kind == TokenKind::kPoint && point == n) point = i;
      if (tokens[i].kind == TokenKind::kDigit) {
        if (first_digit == n) first_digit = i;
        last_digit = i;
        if (point == n) last_integer_digit = i;
      }
    }
    const bool has_digit = first_digit != n;
    for (std::size_t i = 0; i < n; ++i) {
      const Token& t = tokens[i];
      switch (t.kind) {
        case TokenKind::kDigit:
          if (i < point) {
            Add(PartKind::kIntegerDigit, t.ch);
            ++s_.integer_digits;
          } else {
            Add(PartKind::kFractionDigit, t.ch);
            ++s_.fraction_digits;
          }
          break;
        case TokenKind::kPoint:
          if (i == point) {
            Add(PartKind::kDecimalPoint);
          } else {
            AddLiteral(".");
          }
          break;
        case TokenKind::kComma: {
          const bool after_digit = has_digit && first_digit < i;
          const bool digit_follows = has_digit && last_digit > i;
          if (i < point && last_integer_digit != n && last_integer_digit > i) {
            s_.thousands = true;  // between integer digits: group by thousands
          } else if (after_digit && (i < point || !digit_follows)) {
            AddShift(-3);         // after the digits: divide by 1000
          } else if (!digit_follows) {
            AddLiteral(",");
          }
          break;
        }
        case TokenKind::kPercent:
          AddShift(2);
          AddLiteral("%");
          break;
        case TokenKind::kGeneral: Add(PartKind::kGeneral); break;
        case TokenKind::kAt: break;
        default: AddSource(t); break;
      }
    }
    MarkPlain();
  }

  /// Sets Section::plain when the parts are literals, a run of integer placeholders ('#' before
  /// '0'), an optional point with '0' decimals, and literals.
  void MarkPlain() {
    enum Stage { kBefore, kIntegers, kFractions, kAfter } stage = kBefore;
    int zeros = 0;
    for (const Part& part : s_.parts) {
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
        default: return;
      }
    }
    // A point without decimals after it ("0.") keeps the general path.
    s_.plain = stage != kBefore && (s_.fraction_digits > 0 || !HasPoint());
    if (s_.plain) s_.min_integer_digits = zeros;
  }

  bool HasPoint() const {
    return std::any_of(s_.parts.begin(), s_.parts.end(),
                       [](const Part& p) { return p.kind == PartKind::kDecimalPoint; });
  }

  // Mantissa, E+ or E-, exponent digits, then literals.
  void BuildScientific(Tokens tokens) {
    s_.kind = SectionKind::kScientific;
    const std::size_t n = tokens.size();
    std::size_t i = 0;
    bool point_seen = false;
    for (; i < n && tokens[i].kind != TokenKind::kExponent; ++i) {
      const Token& t = tokens[i];
      if (t.kind == TokenKind::kDigit) {
        Add(point_seen ? PartKind::kFractionDigit : PartKind::kIntegerDigit, t.ch);
        ++(point_seen ? s_.fraction_digits : s_.integer_digits);
      } else if (t.kind == TokenKind::kPoint && !point_seen) {
        point_seen = true;
        Add(PartKind::kDecimalPoint);
      } else if (t.kind == TokenKind::kPercent) {
        AddShift(2);
        AddLiteral("%");
      } else if (t.kind != TokenKind::kComma && t.kind != TokenKind::kAt) {
        AddSource(t);
      }
    }
    Add(PartKind::kExponentMark, tokens[i].ch);
    s_.parts.back().ch2 = tokens[i].text[0];  // 'E' or 'e' as written
    for (++i; i < n && tokens[i].kind == TokenKind::kDigit; ++i) {
      Add(PartKind::kExponentDigit, tokens[i].ch);
      ++s_.exponent_digits;
    }
    for (; i < n; ++i) {
      if (tokens[i].kind == TokenKind::kPercent) AddShift(2);
      if (tokens[i].kind != TokenKind::kAt) AddSource(tokens[i]);
    }
  }

  /// Index of the '/' of a fraction (a placeholder before it, a placeholder or a digit
  /// 1-9 after it, no decimal point in the section); tokens.size() when there is none.
  static std::size_t FindFractionBar(Tokens tokens) {
    for (const Token& t : tokens) {
      if (t.kind == TokenKind::kPoint) return tokens.size();
    }
    for (std::size_t i = 1; i + 1 < tokens.size(); ++i) {
      if (tokens[i].kind != TokenKind::kSlash || tokens[i - 1].kind != TokenKind::kDigit) continue;
      if (tokens[i + 1].kind == TokenKind::kDigit || IsLiteralDigit(tokens[i + 1], '1')) return i;
    }
    return tokens.size();
  }

  void BuildFraction(Tokens tokens, std::size_t bar) {
    s_.kind = SectionKind::kFraction;
    const std::size_t n = tokens.size();
    std::size_t numerator = bar;
    while (numerator > 0 && tokens[numerator - 1].kind == TokenKind::kDigit) --numerator;
    std::size_t last_integer_digit = n;
    for (std::size_t i = 0; i < numerator; ++i) {
      if (tokens[i].kind == TokenKind::kDigit) last_integer_digit = i;
    }
    for (std::size_t i = 0; i < numerator; ++i) {
      const Token& t = tokens[i];
      if (t.kind == TokenKind::kDigit) {
        Add(PartKind::kIntegerDigit, t.ch);
        ++s_.integer_digits;
      } else if (t.kind == TokenKind::kComma) {
        if (last_integer_digit != n && last_integer_digit > i) s_.thousands = true;
      } else if (t.kind == TokenKind::kPercent) {
        AddShift(2);
        AddLiteral("%");
      } else if (t.kind != TokenKind::kAt) {
        AddSource(t);
      }
    }
    for (std::size_t i = numerator; i < bar; ++i) {
      Add(PartKind::kNumerator, tokens[i].ch);
      ++s_.numerator_digits;
    }
    Add(PartKind::kFractionBar);
    std::size_t i = bar + 1;
    if (tokens[i].kind == TokenKind::kDigit) {
      for (; i < n && tokens[i].kind == TokenKind::kDigit; ++i) {
        Add(PartKind::kDenominator, tokens[i].ch);
        ++s_.denominator_digits;
      }
    } else {
      int width = 0;
      for (; i < n && width < kMaxDenominatorDigits; ++i, ++width) {
        const Token& t = tokens[i];
        if (IsLiteralDigit(t, '0')) {
          s_.denominator = s_.denominator * 10 + static_cast<std::uint32_t>(t.text[0] - '0');
        } else if (t.kind == TokenKind::kDigit && t.ch == '0') {
          s_.denominator *= 10;
        } else {
          break;
        }
      }
      s_.denominator_digits = width;
      Add(PartKind::kFixedDenominator, 0, width);
    }
    for (; i < n; ++i) {
      if (tokens[i].kind == TokenKind::kPercent) AddShift(2);
      if (tokens[i].kind != TokenKind::kAt) AddSource(tokens[i]);
    }
  }

  /// m or mm means minutes right after an hour field or right before a seconds field.
  static bool IsMinute(Tokens tokens, std::size_t at) {
    for (std::size_t i = at; i-- > 0;) {
      if (!IsDateField(tokens[i])) continue;
      if (tokens[i].ch == 'h') return true;
      break;
    }
    for (std::size_t i = at + 1; i < tokens.size(); ++i) {
      if (!IsDateField(tokens[i])) continue;
      return tokens[i].ch == 's';
    }
    return false;
  }

  void BuildDate(Tokens tokens) {
    s_.kind = SectionKind::kDate;
    const std::size_t n = tokens.size();
    for (const Token& t : tokens) {
      if (t.kind == TokenKind::kAmPm || t.kind == TokenKind::kAP) s_.hour12 = true;
    }
    bool after_seconds = false;  // the last date field was seconds: ".00" means fractions of a second
    for (std::size_t i = 0; i < n; ++i) {
      const Token& t = tokens[i];
      const int count = t.count;
      if (IsDateField(t)) after_seconds = t.ch == 's';
      switch (t.kind) {
        case TokenKind::kDate:
          AddDateField(t.ch, count, IsMinute(tokens, i));
          break;
        case TokenKind::kElapsed:
          Add(t.ch == 'h' ? PartKind::kElapsedHours
                          : t.ch == 'm' ? PartKind::kElapsedMinutes : PartKind::kElapsedSeconds,
              0, std::min(count, 32));
          break;
        case TokenKind::kAmPm: {
          // "AM/PM" shows AM or PM, "am/pm" shows am or pm: the designators as written.
          Add(PartKind::kAmPm);
          s_.parts.back().offset = static_cast<std::uint32_t>(s_.literals.size());
          s_.parts.back().size = 4;
          s_.literals.append(t.text.substr(0, 2));
          s_.literals.append(t.text.substr(3, 2));
          break;
        }
        case TokenKind::kAP: {
          Add(PartKind::kAP, t.text[0]);
          s_.parts.back().ch2 = t.text[2];
          break;
        }
        case TokenKind::kPoint: {
          std::size_t zeros = 0;
          while (i + 1 + zeros < n && tokens[i + 1 + zeros].kind == TokenKind::kDigit &&
                 tokens[i + 1 + zeros].ch == '0' && zeros < kMaxSubsecondDigits) {
            ++zeros;
          }
          if (after_seconds && zeros > 0) {
            Add(PartKind::kSubsecond, 0, static_cast<int>(zeros));
            s_.subsecond_digits = std::max(s_.subsecond_digits, static_cast<int>(zeros));
            i += zeros;
          } else {
            AddLiteral(".");
          }
          break;
        }
        default: AddSource(t); break;
      }
    }
  }

  void AddDateField(char letter, int count, bool minute) {
    switch (letter) {
      case 'y': Add(PartKind::kYear, 0, count <= 2 ? 2 : 4); break;
      case 'e': Add(PartKind::kYear, 0, 4); break;
      case 'b': Add(PartKind::kBuddhistYear, 0, count <= 2 ? 2 : 4); break;
      case 'g': Add(PartKind::kEraName); break;
      case 'd': Add(PartKind::kDay, 0, std::min(count, 4)); break;
      case 'h': Add(PartKind::kHour, 0, std::min(count, 2)); break;
      case 's': Add(PartKind::kSecond, 0, std::min(count, 2)); break;
      default:
        if (minute && count <= 2) {
          Add(PartKind::kMinute, 0, count);
        } else {
          Add(PartKind::kMonth, 0, count > 5 ? 4 : count);
        }
        break;
    }
  }

  Section& s_;
};


}  // namespace

void BuildSection(std::span<const Token> tokens, bool text_section, Section& section) {
  SectionBuilder(section).Build(tokens, text_section);
}

}  // namespace quorvex::sheet::numfmt
