// Tokenizer for number format codes.
#include "sheet/numfmt/FormatTokenizer.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <vector>

namespace quorvex::sheet::numfmt {
namespace {

constexpr std::string_view kSpace = " ";
constexpr std::string_view kComma = ",";

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

/// Byte length of the UTF-8 sequence starting at `at`, clipped to the text.
std::size_t CodePointLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xF0 && lead <= 0xF7) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = lead <= 0xEF ? 3 : 1;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  return at + length <= text.size() ? length : text.size() - at;
}

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view code) : code_(code) {}

  TokenList Run() {
    while (pos_ < code_.size() && !list_.malformed) Step();
    return std::move(list_);
  }

 private:
  void Push(TokenKind kind, std::string_view text, char ch = 0, std::uint16_t count = 0) {
    Token token;
    token.kind = kind;
    token.text = text;
    token.ch = ch;
    token.count = count;
    list_.tokens.push_back(token);
  }

  void Step() {
    switch (code_[pos_]) {
      case '"':
        return Quoted();
      case '\\':
        return Escaped();
      case '_':
        return SkipWidth();
      case '*':
        return Fill();
      case '[':
        return Bracket();
      case ';':
        return SectionBreak();
      case '0':
      case '#':
      case '?':
        return Digit();
      case '.':
        return PushOne(TokenKind::kPoint);
      case ',':
        return Commas();
      case '%':
        return PushOne(TokenKind::kPercent);
      case '/':
        return PushOne(TokenKind::kSlash);
      case '@':
        return PushOne(TokenKind::kAt);
      default:
        return Word();
    }
  }

  /// The character at pos_ as a token of its own.
  void PushOne(TokenKind kind, char ch = 0) { Push(kind, code_.substr(pos_++, 1), ch); }

  void SectionBreak() {
    digit_seen_ = false;
    pending_commas_.clear();
    PushOne(TokenKind::kSectionBreak);
  }

  /// A digit placeholder; commas met since the previous one were thousands separators.
  void Digit() {
    digit_seen_ = true;
    for (const std::size_t pending : pending_commas_) list_.tokens[pending].kind = TokenKind::kGroup;
    pending_commas_.clear();
    PushOne(TokenKind::kDigit, code_[pos_]);
  }

  /// An exponent, "General", AM/PM, a calendar choice, a date or time code, or a literal.
  void Word() {
    const char lower = Lower(code_[pos_]);
    if (lower == 'e' && digit_seen_ && pos_ + 1 < code_.size() &&
        (code_[pos_ + 1] == '+' || code_[pos_ + 1] == '-')) {
      Push(TokenKind::kExponent, code_.substr(pos_, 2), code_[pos_ + 1]);
      pos_ += 2;
      return;
    }
    if (lower == 'g' && StartsWithNoCase(code_, pos_, "general")) {
      Push(TokenKind::kGeneral, code_.substr(pos_, 7));
      pos_ += 7;
      return;
    }
    if (lower == 'a') {
      if (StartsWithNoCase(code_, pos_, "am/pm")) {
        Push(TokenKind::kAmPm, code_.substr(pos_, 5));
        pos_ += 5;
        return;
      }
      if (StartsWithNoCase(code_, pos_, "a/p")) {
        Push(TokenKind::kAP, code_.substr(pos_, 3));
        pos_ += 3;
        return;
      }
    }
    if (lower == 'b' && pos_ + 1 < code_.size() && (code_[pos_ + 1] == '1' || code_[pos_ + 1] == '2')) {
      pos_ += 2;  // calendar choice (B1 Gregorian, B2 Hijri): shown in the Gregorian calendar
      return;
    }
    if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's' || lower == 'e' ||
        lower == 'b' || lower == 'g') {
      std::size_t end = pos_;
      while (end < code_.size() && Lower(code_[end]) == lower) ++end;
      const std::size_t run = end - pos_;
      Push(TokenKind::kDate, code_.substr(pos_, run), lower,
           static_cast<std::uint16_t>(run > 0xFFFF ? 0xFFFF : run));
      pos_ = end;
      return;
    }
    const std::size_t length = CodePointLength(code_, pos_);
    Push(TokenKind::kLiteral, code_.substr(pos_, length));
    pos_ += length;
  }

  // A run of commas means what the characters around it make it: after a digit or a
  // placeholder it groups thousands when a placeholder follows, directly or later in the
  // section, and otherwise scales by 1000 per comma; right after a decimal point it scales;
  // anywhere else it is one literal comma.
  void Commas() {
    std::size_t end = pos_;
    while (end < code_.size() && code_[end] == ',') ++end;
    const std::string_view run = code_.substr(pos_, end - pos_);
    const char before = pos_ > 0 ? code_[pos_ - 1] : '\0';
    const char after = end < code_.size() ? code_[end] : ';';
    pos_ = end;
    const auto placeholder = [](char c) { return c == '#' || c == '?' || (c >= '0' && c <= '9'); };
    const bool may_group = placeholder(before) && after != ';';
    const bool may_scale = (placeholder(before) || before == '.') && !placeholder(after);
    const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(run.size(), 0xFFFF));
    if (may_group && !may_scale) {
      Push(TokenKind::kGroup, run);
    } else if (may_scale) {
      if (may_group) pending_commas_.push_back(list_.tokens.size());  // a later placeholder makes it a group
      Push(TokenKind::kScale, run, 0, count);
    } else {
      Push(TokenKind::kComma, kComma);
    }
  }

  void Quoted() {
    const std::size_t close = code_.find('"', pos_ + 1);
    if (close == std::string_view::npos) {
      list_.malformed = true;
      return;
    }
    if (close > pos_ + 1) Push(TokenKind::kLiteral, code_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
  }

  void Escaped() {
    ++pos_;
    if (pos_ >= code_.size()) return;
    const std::size_t length = CodePointLength(code_, pos_);
    Push(TokenKind::kLiteral, code_.substr(pos_, length));
    pos_ += length;
  }

  // "_x" leaves room for the width of x: a single space in text output.
  void SkipWidth() {
    ++pos_;
    if (pos_ < code_.size()) pos_ += CodePointLength(code_, pos_);
    Push(TokenKind::kLiteral, kSpace);
  }

  // "*x" repeats x to fill the cell: text output has no cell width, so nothing is shown.
  void Fill() {
    ++pos_;
    if (pos_ < code_.size()) pos_ += CodePointLength(code_, pos_);
  }

  void Bracket() {
    const std::size_t close = code_.find(']', pos_ + 1);
    if (close == std::string_view::npos) {
      list_.malformed = true;
      return;
    }
    const std::string_view inside = code_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    if (inside.empty()) return;
    const char first = inside[0];
    if (first == '$') return Locale(inside.substr(1));
    if (first == '<' || first == '>' || first == '=') return Condition(inside);
    const char letter = Lower(first);
    if (letter == 'h' || letter == 'm' || letter == 's') {
      std::size_t run = 0;
      while (run < inside.size() && Lower(inside[run]) == letter) ++run;
      if (run == inside.size()) {
        Push(TokenKind::kElapsed, inside, letter, static_cast<std::uint16_t>(run > 0xFFFF ? 0xFFFF : run));
        return;
      }
    }
    if (inside.size() == 6 && StartsWithNoCase(inside, 0, "dbnum") && inside[5] >= '1' && inside[5] <= '3') {
      Push(TokenKind::kNumerals, inside, 0, static_cast<std::uint16_t>(inside[5] - '0'));
      return;
    }
    // Colours ([Red], [Color10]) and other display hints have no effect on text; a section of
    // nothing else still shows the number.
    Push(TokenKind::kColor, {});
  }

  // [$sym-locale]: the symbol shows; the locale picks the names of months and days, or the
  // system's long date or time format for F800 and F400 (x-sysdate and x-systime in newer files).
  void Locale(std::string_view body) {
    const std::size_t dash = body.find('-');
    const std::string_view symbol = body.substr(0, dash);
    if (dash != std::string_view::npos) {
      const std::string_view locale = body.substr(dash + 1);
      const auto is = [locale](std::string_view name) {
        return locale.size() == name.size() && StartsWithNoCase(locale, 0, name);
      };
      if (is("f800") || is("x-sysdate")) {
        Push(TokenKind::kSystemDate, body);
        return;
      }
      if (is("f400") || is("x-systime")) {
        Push(TokenKind::kSystemTime, body);
        return;
      }
      Push(TokenKind::kLocale, locale);
    }
    if (!symbol.empty()) Push(TokenKind::kLiteral, symbol);
  }

  void Condition(std::string_view inside) {
    CompareOp op = CompareOp::kNone;
    std::size_t length = 1;
    if (inside.substr(0, 2) == "<=") {
      op = CompareOp::kLessEqual;
      length = 2;
    } else if (inside.substr(0, 2) == ">=") {
      op = CompareOp::kGreaterEqual;
      length = 2;
    } else if (inside.substr(0, 2) == "<>") {
      op = CompareOp::kNotEqual;
      length = 2;
    } else if (inside[0] == '<') {
      op = CompareOp::kLess;
    } else if (inside[0] == '>') {
      op = CompareOp::kGreater;
    } else {
      op = CompareOp::kEqual;
    }
    std::string_view number = inside.substr(length);
    while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
    while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || ec != std::errc() || end != number.data() + number.size()) {
      list_.malformed = true;
      return;
    }
    Token token;
    token.kind = TokenKind::kCondition;
    token.op = op;
    token.number = value;
    token.text = inside;
    list_.tokens.push_back(token);
  }

  std::string_view code_;
  std::size_t pos_ = 0;
  bool digit_seen_ = false;                  // a digit placeholder earlier in this section: E+ means exponent
  std::vector<std::size_t> pending_commas_;  // scaling commas a later placeholder turns into groups
  TokenList list_;
};

}  // namespace

TokenList TokenizeFormat(std::string_view code) {
  return Tokenizer(code).Run();
}

}  // namespace quorvex::sheet::numfmt
