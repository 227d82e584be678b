// Part list construction shared by the section builders.
#include "sheet/numfmt/SectionParts.h"

#include <algorithm>
#include <cstdint>

namespace quorvex::sheet::numfmt {
namespace {

// Bounds the power of ten a section can ask for; codes are at most 4,096 characters long.
constexpr int kMaxShift = 20000;

}  // namespace

void SectionParts::Add(PartKind kind, char ch, int width) {
  Part part;
  part.kind = kind;
  part.ch = ch;
  part.width = static_cast<std::uint16_t>(width);
  s_.parts.push_back(part);
}

void SectionParts::AddLiteral(std::string_view text) {
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

void SectionParts::AddSource(const Token& t) {
  switch (t.kind) {
    case TokenKind::kCondition:
    case TokenKind::kColor:
    case TokenKind::kLocale:
    case TokenKind::kNumerals:
    case TokenKind::kElapsed:
    case TokenKind::kSystemDate:
    case TokenKind::kSystemTime:
      return;
    default:
      AddLiteral(t.text);
  }
}

void SectionParts::AddShift(int delta) {
  s_.shift = std::clamp(s_.shift + delta, -kMaxShift, kMaxShift);
}

void SectionParts::AddPercent() {
  AddShift(2);
  AddLiteral("%");
}

}  // namespace quorvex::sheet::numfmt
