// Date and time sections: months or minutes, elapsed hours and seconds, fractions of a second.
#include "sheet/numfmt/DateBuilder.h"

#include <algorithm>
#include <vector>

namespace quorvex::sheet::numfmt {
namespace {

constexpr int kMaxSubsecondDigits = 3;
constexpr int kMaxElapsedWidth = 32;

using Tokens = std::span<const Token>;

/// Date letters and elapsed brackets: the tokens that decide whether m means minutes.
bool IsDateField(const Token& t) {
  return t.kind == TokenKind::kDate || t.kind == TokenKind::kElapsed;
}

/// For each token, whether an m or mm there means minutes. It does right after an hour or a
/// seconds field that no minute has claimed yet ("h:mm", "s:m"), and right before a seconds
/// field ("mm:ss"); a seconds field right after a minute is claimed by it, so the m in
/// "hh:mm:ss AM/P" is a month again.
std::vector<bool> MinuteTokens(Tokens tokens) {
  struct Field {
    char letter = 0;
    bool minute = false;
    bool claimed = false;
    bool open_month = false;  // an m that a seconds field after it can still make a minute
    std::size_t index = 0;
  };
  std::vector<bool> minute(tokens.size(), false);
  bool have_last = false;
  Field last;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (!IsDateField(t)) continue;
    Field field;
    field.letter = t.ch;
    field.index = i;
    if (t.kind == TokenKind::kElapsed) {
      field.minute = t.ch == 'm';
    } else if (t.ch == 'm' && t.count <= 2) {
      field.minute = have_last && !last.claimed && (last.letter == 'h' || last.letter == 's');
      field.open_month = !field.minute;
    } else if (t.ch == 's' && have_last) {
      if (last.open_month) minute[last.index] = true;
      field.claimed = last.minute || last.open_month;
    }
    if (field.minute && t.kind == TokenKind::kDate) minute[i] = true;
    last = field;
    have_last = true;
  }
  return minute;
}

struct ElapsedFields {
  bool hours = false;    // [h] present: a plain h counts elapsed hours too
  bool seconds = false;  // [s] present: a plain s counts elapsed seconds too
};

void AddDateField(const Token& t, bool minute, ElapsedFields elapsed, SectionParts& parts) {
  const int count = t.count;
  switch (t.ch) {
    case 'y':
      parts.Add(PartKind::kYear, 0, count <= 2 ? 2 : 4);
      break;
    case 'e':
      parts.Add(PartKind::kYear, 0, 4);
      break;
    case 'b':
      parts.Add(PartKind::kBuddhistYear, 0, count <= 2 ? 2 : 4);
      break;
    case 'g':
      parts.Add(PartKind::kEraName);
      break;
    case 'd':
      parts.Add(PartKind::kDay, 0, std::min(count, 4));
      break;
    case 'h':
      parts.Add(elapsed.hours ? PartKind::kElapsedHours : PartKind::kHour, 0, std::min(count, 2));
      break;
    case 's':
      parts.Add(elapsed.seconds ? PartKind::kElapsedSeconds : PartKind::kSecond, 0, std::min(count, 2));
      break;
    default:
      if (minute) {
        parts.Add(PartKind::kMinute, 0, count);
      } else {
        parts.Add(PartKind::kMonth, 0, count > 5 ? 4 : count);
      }
      break;
  }
}

PartKind ElapsedKind(char letter) {
  if (letter == 'h') return PartKind::kElapsedHours;
  return letter == 'm' ? PartKind::kElapsedMinutes : PartKind::kElapsedSeconds;
}

}  // namespace

void BuildDateSection(Tokens tokens, SectionParts& parts) {
  Section& s = parts.section();
  s.kind = SectionKind::kDate;
  const std::vector<bool> minute = MinuteTokens(tokens);
  ElapsedFields elapsed;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::kAmPm || t.kind == TokenKind::kAP) s.hour12 = true;
    if (t.kind == TokenKind::kElapsed && t.ch == 'h') elapsed.hours = true;
    if (t.kind == TokenKind::kElapsed && t.ch == 's') elapsed.seconds = true;
  }
  bool field_seen = false;  // ".0" after any date or time field shows fractions of a second
  const std::size_t n = tokens.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Token& t = tokens[i];
    switch (t.kind) {
      case TokenKind::kDate:
        AddDateField(t, minute[i], elapsed, parts);
        break;
      case TokenKind::kElapsed:
        parts.Add(ElapsedKind(t.ch), 0, std::min<int>(t.count, kMaxElapsedWidth));
        break;
      case TokenKind::kAmPm:
        parts.Add(PartKind::kAmPm);
        break;
      case TokenKind::kAP:
        parts.Add(PartKind::kAP, t.text[0]);
        s.parts.back().ch2 = t.text[2];  // the letters as written
        break;
      case TokenKind::kPoint: {
        int zeros = 0;
        while (i + 1 + zeros < n && tokens[i + 1 + zeros].kind == TokenKind::kDigit &&
               tokens[i + 1 + zeros].ch == '0' && zeros < kMaxSubsecondDigits) {
          ++zeros;
        }
        if (field_seen && zeros > 0) {
          parts.Add(PartKind::kSubsecond, 0, zeros);
          s.subsecond_digits = std::max(s.subsecond_digits, zeros);
          i += static_cast<std::size_t>(zeros);
        } else {
          parts.AddLiteral(".");
        }
        break;
      }
      default:
        parts.AddSource(t);
        break;
    }
    if (IsDateField(t) || t.kind == TokenKind::kAmPm || t.kind == TokenKind::kAP) field_seen = true;
  }
  s.elapsed = std::any_of(s.parts.begin(), s.parts.end(), [](const Part& p) {
    return p.kind == PartKind::kElapsedHours || p.kind == PartKind::kElapsedMinutes ||
           p.kind == PartKind::kElapsedSeconds;
  });
}

}  // namespace quorvex::sheet::numfmt
