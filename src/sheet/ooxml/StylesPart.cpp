// Reads number formats and cell formats from the styles part.
#include "sheet/ooxml/StylesPart.h"

#include <charconv>
#include <system_error>

#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {
namespace {

constexpr std::size_t kMaxCellFormats = std::size_t{4} << 20;
constexpr std::size_t kMaxNumberFormats = std::size_t{1} << 20;

bool ParseId(std::string_view text, std::uint32_t& id) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), id);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace

void ReadStylesPart(container::XmlPullParser& parser, Workbook& workbook) {
  using Event = container::XmlPullParser::Event;
  bool in_number_formats = false;
  bool in_cell_formats = false;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    const std::string_view name = parser.local_name();
    if (event == Event::kEndElement) {
      if (name == "numFmts") in_number_formats = false;
      if (name == "cellXfs") in_cell_formats = false;
      continue;
    }
    if (event != Event::kStartElement) continue;
    if (name == "numFmts") {
      in_number_formats = true;
    } else if (name == "cellXfs") {
      in_cell_formats = true;
    } else if (name == "numFmt" && in_number_formats) {
      const auto* id = parser.FindAttribute("numFmtId");
      const auto* code = parser.FindAttribute("formatCode");
      std::uint32_t number_format_id = 0;
      if (id != nullptr && code != nullptr && ParseId(id->value, number_format_id)) {
        if (workbook.number_formats.size() == kMaxNumberFormats) {
          parser.Fail(SheetErrorCode::kTooLarge, "the styles define too many number formats");
        }
        workbook.number_formats.insert_or_assign(number_format_id, DecodeXstring(code->value));
      }
    } else if (name == "xf" && in_cell_formats) {
      CellFormat format;
      if (const auto* id = parser.FindAttribute("numFmtId");
          id != nullptr && !ParseId(id->value, format.number_format_id)) {
        format.number_format_id = 0;
      }
      if (workbook.cell_formats.size() == kMaxCellFormats) {
        parser.Fail(SheetErrorCode::kTooLarge, "the styles define too many cell formats");
      }
      workbook.cell_formats.push_back(format);
      parser.SkipElement();
    }
  }
}

}  // namespace quorvex::sheet::ooxml
