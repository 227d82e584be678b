// Formula text in A1 form rewritten with R1C1 references.
#include "sheet/writers/FormulaR1C1.h"

#include <charconv>
#include <optional>

namespace quorvex::sheet {
namespace {

constexpr std::uint32_t kMaxRow = 1048576;
constexpr std::uint32_t kMaxColumn = 16384;

// ASCII only: references are made of ASCII letters and digits whatever the locale.
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
char UpperCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
// Characters that continue a name, so a reference cannot start or end next to them.
bool IsNameChar(char c) {
  return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '\\' ||
         static_cast<unsigned char>(c) >= 0x80;
}

struct Part {
  bool absolute = false;
  std::uint32_t value = 0;  // 1-based
};

// Reads "$?LETTERS" at `at`; returns the column or nothing.
std::optional<Part> ReadColumn(std::string_view text, std::size_t& at) {
  std::size_t i = at;
  Part part;
  if (i < text.size() && text[i] == '$') {
    part.absolute = true;
    ++i;
  }
  const std::size_t start = i;
  std::uint64_t value = 0;
  while (i < text.size() && IsLetter(text[i]) && i - start < 3) {
    value = value * 26 + static_cast<std::uint64_t>(UpperCase(text[i]) - 'A' + 1);
    ++i;
  }
  if (i == start || value > kMaxColumn || (i < text.size() && IsLetter(text[i]))) return std::nullopt;
  part.value = static_cast<std::uint32_t>(value);
  at = i;
  return part;
}

// Reads "$?DIGITS" at `at`; returns the row or nothing.
std::optional<Part> ReadRow(std::string_view text, std::size_t& at) {
  std::size_t i = at;
  Part part;
  if (i < text.size() && text[i] == '$') {
    part.absolute = true;
    ++i;
  }
  const std::size_t start = i;
  std::uint64_t value = 0;
  while (i < text.size() && IsDigit(text[i]) && i - start < 8) {
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    ++i;
  }
  if (i == start || value == 0 || value > kMaxRow || (i < text.size() && IsDigit(text[i])))
    return std::nullopt;
  part.value = static_cast<std::uint32_t>(value);
  at = i;
  return part;
}

void AppendPart(std::string& out, char axis, const Part& part, std::uint32_t here) {
  // "C12" or "C[-3]", built on the stack and appended once.
  char text[16];
  char* end = text;
  *end++ = axis;
  if (part.absolute) {
    end = std::to_chars(end, text + sizeof text, part.value).ptr;
  } else if (part.value != here) {
    *end++ = '[';
    end = std::to_chars(end, text + sizeof text, std::int64_t{part.value} - std::int64_t{here}).ptr;
    *end++ = ']';
  }
  out.append(text, end);
}

bool EndsReference(std::string_view text, std::size_t at) {
  return at >= text.size() || (!IsNameChar(text[at]) && text[at] != '(' && text[at] != '!');
}

class Converter {
 public:
  Converter(std::string& out, std::string_view text, std::uint32_t row, std::uint32_t column)
      : text_(text), row_(row + 1), column_(column + 1), out_(out) {}

  void Run() {
    out_.push_back('=');
    std::size_t i = 0;
    while (i < text_.size()) {
      const char c = text_[i];
      if (c == '"' || c == '\'') {
        i = CopyQuoted(i, c);
      } else if (c == '[') {
        i = CopyUntil(i, ']');  // structured and external references stay as written
      } else if ((c == '$' || IsLetter(c) || IsDigit(c)) && (i == 0 || !IsNameChar(text_[i - 1]))) {
        i = Token(i);
      } else {
        out_.push_back(c);
        ++i;
      }
    }
  }

 private:
  std::size_t CopyQuoted(std::size_t i, char quote) {
    out_.push_back(quote);
    for (++i; i < text_.size(); ++i) {
      out_.push_back(text_[i]);
      if (text_[i] == quote) {
        if (i + 1 < text_.size() && text_[i + 1] == quote) {
          out_.push_back(text_[++i]);
        } else {
          return i + 1;
        }
      }
    }
    return i;
  }

  std::size_t CopyUntil(std::size_t i, char end) {
    const std::size_t stop = text_.find(end, i);
    const std::size_t next = stop == std::string_view::npos ? text_.size() : stop + 1;
    out_.append(text_.substr(i, next - i));
    return next;
  }

  // A name, number or reference starting at `start`.
  std::size_t Token(std::size_t start) {
    std::size_t i = start;
    // A cell or a column range: A1, $A$1, A:C.
    if (const auto column = ReadColumn(text_, i)) {
      std::size_t after_column = i;
      if (const auto row = ReadRow(text_, i); row && EndsReference(text_, i)) {
        AppendPart(out_, 'R', *row, row_);
        AppendPart(out_, 'C', *column, column_);
        return i;
      }
      i = after_column;
      if (i < text_.size() && text_[i] == ':') {
        std::size_t j = i + 1;
        if (const auto last = ReadColumn(text_, j);
            last && EndsReference(text_, j) && (j >= text_.size() || !IsDigit(text_[j]))) {
          AppendPart(out_, 'C', *column, column_);
          out_.push_back(':');
          AppendPart(out_, 'C', *last, column_);
          return j;
        }
      }
    }
    // A row range: 1:3, $1:$3.
    i = start;
    if (const auto first = ReadRow(text_, i); first && i < text_.size() && text_[i] == ':') {
      std::size_t j = i + 1;
      if (const auto last = ReadRow(text_, j); last && EndsReference(text_, j)) {
        AppendPart(out_, 'R', *first, row_);
        out_.push_back(':');
        AppendPart(out_, 'R', *last, row_);
        return j;
      }
    }
    // Anything else (a function or defined name, a number) is copied whole.
    i = start;
    if (text_[i] == '$') ++i;
    while (i < text_.size() && IsNameChar(text_[i])) ++i;
    // Numbers in scientific form: keep the exponent's sign with them.
    if (i > start && i < text_.size() && (text_[i] == '+' || text_[i] == '-') && IsDigit(text_[start]) &&
        (text_[i - 1] == 'E' || text_[i - 1] == 'e')) {
      ++i;
      while (i < text_.size() && IsDigit(text_[i])) ++i;
    }
    out_.append(text_.substr(start, std::max(i, start + 1) - start));
    return std::max(i, start + 1);
  }

  std::string_view text_;
  std::uint32_t row_;
  std::uint32_t column_;
  std::string& out_;
};

}  // namespace

void AppendFormulaR1C1(std::string& out, std::string_view formula, std::uint32_t row, std::uint32_t column) {
  Converter(out, formula, row, column).Run();
}

std::string FormulaToR1C1(std::string_view formula, std::uint32_t row, std::uint32_t column) {
  std::string out;
  AppendFormulaR1C1(out, formula, row, column);
  return out;
}

}  // namespace quorvex::sheet
