// Chooses the section for a value and renders it.
#include "sheet/numfmt/NumberFormat.h"

#include <cmath>
#include <string_view>

#include "sheet/numfmt/DateRenderer.h"
#include "sheet/numfmt/EastAsianNumerals.h"
#include "sheet/numfmt/FormatParser.h"
#include "sheet/numfmt/GeneralFormat.h"
#include "sheet/numfmt/NumberRenderer.h"

namespace quorvex::sheet::numfmt {
namespace {

// A format of one conditional General section ("[<=-25]General") shows a negative value it
// accepts with its minus sign, although other sections whose condition accepts negative values
// alone drop it ("[<=-4]\A0" shows -5 as A5). The one place to change if that turns out to
// depend on more than the General keyword.
constexpr bool kLoneGeneralKeepsMinus = true;

struct Choice {
  int section = -1;      // -1: no section accepts the value
  bool minus = false;    // a minus sign goes before the magnitude
  bool general = false;  // no section accepts it and the value shows as General instead
};

/// Whether the section that takes the values a conditional format's first section does not
/// accept shows their minus sign: only behind an equality or a lower bound of zero or more.
bool RestKeepsMinus(Condition first) {
  return first.op == CompareOp::kEqual ||
         ((first.op == CompareOp::kGreater || first.op == CompareOp::kGreaterEqual) && first.value >= 0);
}

/// The section a number uses, and whether a minus sign goes in front of its magnitude.
/// Without conditions: one section takes all (negatives keep their sign); two split at zero;
/// three give zero its own. With conditions, a first section without one takes the values
/// above zero; a section chosen by its condition drops the minus sign only when the condition
/// accepts negative values alone. A lone conditional section leaves the other values to
/// General; two conditional sections leave them unshown; a third section takes the rest.
Choice ChooseSection(const ParsedFormat& f, double v) {
  const int n = f.number_sections;
  const bool negative = v < 0;
  if (!f.conditional) {
    if (n == 1) return {0, negative};
    if (negative) return {1, false};
    if (v == 0 && n >= 3) return {2, false};
    return {0, false};
  }
  Condition first = f.sections[0].condition;
  if (!first.Present()) first = {CompareOp::kGreater, 0};
  if (first.Matches(v)) {
    const bool lone_general = n == 1 && f.sections[0].kind == SectionKind::kGeneral;
    return {0, negative && (!first.OnlyNegative() || (lone_general && kLoneGeneralKeepsMinus))};
  }
  if (n == 1) return {-1, negative && RestKeepsMinus(first), true};
  const Condition second = f.sections[1].condition;
  if (!second.Present()) return {1, negative && (n > 2 || RestKeepsMinus(first))};
  if (second.Matches(v)) return {1, negative && !second.OnlyNegative()};
  if (n == 2) return {};
  return {2, negative};
}

void AppendText(const ParsedFormat& f, std::string_view text, std::string& out) {
  if (f.text_section < 0) {
    out.append(text);
    return;
  }
  const Section& s = f.sections[f.text_section];
  for (const Part& part : s.parts) {
    if (part.kind == PartKind::kLiteral) {
      out.append(s.literals, part.offset, part.size);
    } else if (part.kind == PartKind::kTextValue) {
      out.append(text);
    }
  }
}

void AppendNumber(const ParsedFormat& f, double v, bool date1904, std::string& out) {
  if (f.general || f.number_sections == 0 || !std::isfinite(v)) return AppendGeneral(v, out);
  const Choice choice = ChooseSection(f, v);
  const double magnitude = std::fabs(v);
  if (choice.general) return AppendGeneral(choice.minus ? -magnitude : magnitude, out);
  if (choice.section < 0) {
    out.append(kUnshowableLength, '#');
    return;
  }
  const Section& s = f.sections[choice.section];
  const std::size_t mark = out.size();
  switch (s.kind) {
    case SectionKind::kGeneral:
      if (s.numerals != nullptr) {
        AppendGeneralInNumerals(*s.numerals, choice.minus ? -magnitude : magnitude, out);
      } else {
        AppendGeneral(choice.minus ? -magnitude : magnitude, out);
      }
      break;
    case SectionKind::kNumber:
      AppendFixedSection(s, magnitude, choice.minus, out);
      break;
    case SectionKind::kScientific:
      if (choice.minus) out.push_back('-');
      AppendScientificSection(s, magnitude, out);
      break;
    case SectionKind::kFraction:
      if (choice.minus) out.push_back('-');  // also before a fraction that rounds to zero
      AppendFractionSection(s, magnitude, out);
      break;
    case SectionKind::kDate:
      // The 1900 system has no negative dates or times, but elapsed time may be negative; the
      // 1904 system shows negative values with a minus sign (none in a section for negatives).
      if (choice.minus) out.push_back('-');
      if ((v < 0 && !date1904 && !s.elapsed) || !AppendDateSection(s, magnitude, date1904, out)) {
        out.resize(mark);
        out.append(kUnshowableLength, '#');
      }
      break;
    case SectionKind::kText:
      break;
  }
}

std::unique_ptr<ParsedFormat> GeneralParsed() {
  auto parsed = std::make_unique<ParsedFormat>();
  parsed->sections.resize(1);
  parsed->sections[0].kind = SectionKind::kGeneral;
  parsed->number_sections = 1;
  parsed->general = true;
  return parsed;
}

}  // namespace

NumberFormat::NumberFormat(std::unique_ptr<ParsedFormat> parsed) : parsed_(std::move(parsed)) {}

NumberFormat::~NumberFormat() = default;

std::shared_ptr<const NumberFormat> NumberFormat::Parse(std::string_view code) {
  std::unique_ptr<ParsedFormat> parsed = ParseFormat(code);
  if (!parsed) return General();
  return std::shared_ptr<const NumberFormat>(new NumberFormat(std::move(parsed)));
}

std::shared_ptr<const NumberFormat> NumberFormat::General() {
  static const std::shared_ptr<const NumberFormat> general(new NumberFormat(GeneralParsed()));
  return general;
}

void NumberFormat::Append(const CellValue& value, bool date1904, std::string& out) const {
  switch (value.kind) {
    case CellKind::kEmpty:
      return;
    case CellKind::kNumber:
      return AppendNumber(*parsed_, value.number, date1904, out);
    case CellKind::kString:
      return AppendText(*parsed_, value.text, out);
    case CellKind::kBoolean:
      out.append(value.number != 0 ? "TRUE" : "FALSE");
      return;
    case CellKind::kError:
      out.append(value.text);
      return;
  }
}

bool NumberFormat::IsGeneral() const {
  return parsed_->general;
}

bool NumberFormat::IsDateTime() const {
  return parsed_->number_sections > 0 && parsed_->sections[0].kind == SectionKind::kDate;
}

bool IsUnshowable(std::string_view shown) {
  return shown.size() == kUnshowableLength && shown.find_first_not_of('#') == std::string_view::npos;
}

}  // namespace quorvex::sheet::numfmt
