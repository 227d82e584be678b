// Chooses the section for a value and renders it.
#include "sheet/numfmt/NumberFormat.h"

#include <cmath>
#include <string_view>

#include "sheet/numfmt/DateRenderer.h"
#include "sheet/numfmt/FormatParser.h"
#include "sheet/numfmt/GeneralFormat.h"
#include "sheet/numfmt/NumberRenderer.h"

namespace quorvex::sheet::numfmt {
namespace {

// A cell whose number cannot be shown (a date before 1900 or after 9999, a number no
// conditional section accepts) is filled with '#'. Text output has no cell width, so it holds
// the eight marks a cell of the default column width shows.
constexpr std::string_view kUnshowable = "########";

struct Choice {
  int section = -1;  // -1: no section accepts the value
  bool minus = false;
};

/// The section a number uses, and whether a minus sign goes in front of its magnitude.
/// Without conditions: one section takes all (negatives keep their sign); two split at zero;
/// three give zero its own. With conditions, the first and second sections take the values
/// their conditions accept, and the rest go to the first section without a condition or else
/// to the third. A minus sign is dropped only where the section receives negative values alone.
Choice ChooseSection(const ParsedFormat& f, double v) {
  const int n = f.number_sections;
  if (!f.conditional) {
    if (n == 1) return {0, v < 0};
    if (v < 0) return {1, false};
    if (v == 0 && n >= 3) return {2, false};
    return {0, false};
  }
  const Condition first = f.sections[0].condition;
  const Condition second = n > 1 ? f.sections[1].condition : Condition();
  if (first.Present() && first.Matches(v)) return {0, v < 0 && !first.OnlyNegative()};
  if (second.Present() && second.Matches(v)) return {1, v < 0 && !second.OnlyNegative()};
  const bool rest_negative = first.CoversNonNegative() || second.CoversNonNegative();
  int rest = -1;
  if (!first.Present()) {
    rest = 0;
  } else if (n > 1 && !second.Present()) {
    rest = 1;
  } else if (n > 2) {
    rest = 2;
  }
  return {rest, v < 0 && !rest_negative};
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
  if (choice.section < 0) {
    out.append(kUnshowable);
    return;
  }
  const Section& s = f.sections[choice.section];
  const double magnitude = std::fabs(v);
  const std::size_t mark = out.size();
  if (choice.minus) out.push_back('-');
  switch (s.kind) {
    case SectionKind::kGeneral: AppendGeneral(magnitude, out); break;
    case SectionKind::kNumber: AppendFixedSection(s, magnitude, out); break;
    case SectionKind::kScientific: AppendScientificSection(s, magnitude, out); break;
    case SectionKind::kFraction: AppendFractionSection(s, magnitude, out); break;
    case SectionKind::kDate:
      // The 1900 system has no negative dates or times; the 1904 system shows them with a
      // minus sign (or without, in a section for negative values).
      if ((v < 0 && !date1904) || !AppendDateSection(s, magnitude, date1904, out)) {
        out.resize(mark);
        out.append(kUnshowable);
      }
      break;
    case SectionKind::kText: break;
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
    case CellKind::kEmpty: return;
    case CellKind::kNumber: return AppendNumber(*parsed_, value.number, date1904, out);
    case CellKind::kString: return AppendText(*parsed_, value.text, out);
    case CellKind::kBoolean: out.append(value.number != 0 ? "TRUE" : "FALSE"); return;
    case CellKind::kError: out.append(value.text); return;
  }
}

bool NumberFormat::IsGeneral() const { return parsed_->general; }

bool NumberFormat::IsDateTime() const {
  return parsed_->number_sections > 0 && parsed_->sections[0].kind == SectionKind::kDate;
}

}  // namespace quorvex::sheet::numfmt
