// Splits a format code into sections and gives each its role; section conditions.
#include "sheet/numfmt/FormatParser.h"

#include <algorithm>
#include <cstddef>
#include <span>

#include "sheet/numfmt/SectionBuilder.h"

namespace quorvex::sheet::numfmt {
namespace {

// Longer codes are not written by spreadsheet applications (their limit is 255 characters);
// refusing them keeps every rendered cell short.
constexpr std::size_t kMaxCodeLength = 4096;
constexpr std::size_t kMaxSections = 4;

}  // namespace

bool Condition::Matches(double v) const {
  switch (op) {
    case CompareOp::kNone:
      return true;
    case CompareOp::kLess:
      return v < value;
    case CompareOp::kLessEqual:
      return v <= value;
    case CompareOp::kGreater:
      return v > value;
    case CompareOp::kGreaterEqual:
      return v >= value;
    case CompareOp::kEqual:
      return v == value;
    case CompareOp::kNotEqual:
      return v != value;
  }
  return false;
}

bool Condition::OnlyNegative() const {
  switch (op) {
    case CompareOp::kLess:
      return value <= 0;
    case CompareOp::kLessEqual:
    case CompareOp::kEqual:
      return value < 0;
    default:
      return false;
  }
}

std::unique_ptr<ParsedFormat> ParseFormat(std::string_view code) {
  if (code.empty() || code.size() > kMaxCodeLength) return nullptr;
  const TokenList list = TokenizeFormat(code);
  if (list.malformed) return nullptr;

  std::vector<std::span<const Token>> ranges;
  const std::span<const Token> all(list.tokens);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= all.size(); ++i) {
    if (i == all.size() || all[i].kind == TokenKind::kSectionBreak) {
      if (ranges.size() == kMaxSections) return nullptr;
      ranges.push_back(all.subspan(start, i - start));
      start = i + 1;
    }
  }

  auto format = std::make_unique<ParsedFormat>();
  const int count = static_cast<int>(ranges.size());
  const auto has_at = [](std::span<const Token> t) {
    return std::any_of(t.begin(), t.end(), [](const Token& x) { return x.kind == TokenKind::kAt; });
  };
  if (count == 4) {
    format->text_section = 3;
  } else if (has_at(ranges.back())) {
    format->text_section = count - 1;
  }
  format->number_sections = format->text_section >= 0 ? format->text_section : count;
  format->sections.resize(ranges.size());
  for (int i = 0; i < count; ++i) {
    BuildSection(ranges[i], i == format->text_section, format->sections[i]);
  }
  const auto& sections = format->sections;
  format->conditional = (format->number_sections > 0 && sections[0].condition.Present()) ||
                        (format->number_sections > 1 && sections[1].condition.Present());
  format->general = format->number_sections == 1 && format->text_section < 0 &&
                    sections[0].kind == SectionKind::kGeneral && !sections[0].condition.Present() &&
                    sections[0].numerals == nullptr;
  return format;
}

}  // namespace quorvex::sheet::numfmt
