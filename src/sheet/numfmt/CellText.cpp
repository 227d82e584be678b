// Per-workbook cell text: one parsed number format per cell style.
#include "sheet/numfmt/CellText.h"

#include <unordered_map>

namespace quorvex::sheet::numfmt {

CellText::CellText(const Workbook& workbook) : date1904_(workbook.date1904) {
  // Styles often share a format id: parse each id once.
  std::unordered_map<std::uint32_t, std::shared_ptr<const NumberFormat>> by_id;
  by_style_.reserve(workbook.cell_formats.size());
  for (const CellFormat& cell_format : workbook.cell_formats) {
    const std::uint32_t id = cell_format.number_format_id;
    auto found = by_id.find(id);
    if (found == by_id.end()) {
      std::shared_ptr<const NumberFormat> format;
      if (const auto custom = workbook.number_formats.find(id); custom != workbook.number_formats.end()) {
        format = NumberFormat::Parse(custom->second);
      } else if (const std::string_view code = BuiltinFormatCode(id); !code.empty()) {
        format = NumberFormat::Parse(code);
      } else {
        format = NumberFormat::General();
      }
      found = by_id.emplace(id, std::move(format)).first;
    }
    by_style_.push_back(found->second);
  }
}

void CellText::Append(const CellValue& value, std::uint32_t style, std::string& out) const {
  FormatOf(style).Append(value, date1904_, out);
}

std::string CellText::Render(const CellValue& value, std::uint32_t style) const {
  std::string out;
  Append(value, style, out);
  return out;
}

const NumberFormat& CellText::FormatOf(std::uint32_t style) const {
  if (style < by_style_.size()) return *by_style_[style];
  return *NumberFormat::General();
}

}  // namespace quorvex::sheet::numfmt
