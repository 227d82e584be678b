// Reads number formats, fonts, fills, borders and cell formats from the styles part (ECMA-376-1 §18.8).
#include "sheet/ooxml/StylesPart.h"

#include <array>
#include <charconv>
#include <system_error>
#include <utility>

#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {
namespace {

constexpr std::size_t kMaxCellFormats = std::size_t{4} << 20;
constexpr std::size_t kMaxNumberFormats = std::size_t{1} << 20;
constexpr std::size_t kMaxParts = std::size_t{1} << 20;  // fonts, fills or borders each

using Event = container::XmlPullParser::Event;

bool ParseId(std::string_view text, std::uint32_t& id) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), id);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::uint32_t IdAttribute(const container::XmlPullParser& parser, std::string_view name) {
  std::uint32_t id = 0;
  if (const auto* attribute = parser.FindAttribute(name);
      attribute != nullptr && !ParseId(attribute->value, id)) {
    return 0;
  }
  return id;
}

// <b/>, <b val="1"/>, <b val="true"/> are on; val="0" or "false" is off.
bool FlagOn(const container::XmlPullParser& parser) {
  const auto* value = parser.FindAttribute("val");
  return value == nullptr || value->value == "1" || value->value == "true";
}

BorderStyle BorderStyleOf(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, BorderStyle>, 13> kStyles = {{
      {"thin", BorderStyle::kThin},
      {"medium", BorderStyle::kMedium},
      {"thick", BorderStyle::kThick},
      {"dashed", BorderStyle::kDashed},
      {"dotted", BorderStyle::kDotted},
      {"double", BorderStyle::kDouble},
      {"hair", BorderStyle::kHair},
      {"mediumDashed", BorderStyle::kMediumDashed},
      {"dashDot", BorderStyle::kDashDot},
      {"mediumDashDot", BorderStyle::kMediumDashDot},
      {"dashDotDot", BorderStyle::kDashDotDot},
      {"mediumDashDotDot", BorderStyle::kMediumDashDotDot},
      {"slantDashDot", BorderStyle::kSlantDashDot},
  }};
  for (const auto& [text, style] : kStyles) {
    if (text == name) return style;
  }
  return BorderStyle::kNone;
}

HorizontalAlignment HorizontalOf(std::string_view name) {
  if (name == "left") return HorizontalAlignment::kLeft;
  if (name == "center") return HorizontalAlignment::kCenter;
  if (name == "right") return HorizontalAlignment::kRight;
  if (name == "fill") return HorizontalAlignment::kFill;
  if (name == "justify") return HorizontalAlignment::kJustify;
  if (name == "centerContinuous") return HorizontalAlignment::kCenterContinuous;
  if (name == "distributed") return HorizontalAlignment::kDistributed;
  return HorizontalAlignment::kGeneral;
}

VerticalAlignment VerticalOf(std::string_view name) {
  if (name == "top") return VerticalAlignment::kTop;
  if (name == "center") return VerticalAlignment::kCenter;
  if (name == "justify") return VerticalAlignment::kJustify;
  if (name == "distributed") return VerticalAlignment::kDistributed;
  return VerticalAlignment::kBottom;
}

class StylesReader {
 public:
  StylesReader(container::XmlPullParser& parser, Workbook& workbook, const ThemeColors& theme)
      : parser_(parser), workbook_(workbook), theme_(theme) {}

  void Read() {
    for (Event event; (event = parser_.Next()) != Event::kEndOfDocument;) {
      const std::string_view name = parser_.local_name();
      if (event == Event::kEndElement) {
        OnEnd(name);
      } else if (event == Event::kStartElement) {
        OnStart(name);
      }
    }
  }

 private:
  enum class Section { kNone, kNumberFormats, kFonts, kFills, kBorders, kCellFormats };

  void OnEnd(std::string_view name) {
    if (name == "numFmts" || name == "fonts" || name == "fills" || name == "borders" || name == "cellXfs") {
      section_ = Section::kNone;
    } else if (name == "left" || name == "right" || name == "top" || name == "bottom") {
      edge_ = nullptr;
    } else if (name == "xf") {
      in_xf_ = false;
    }
  }

  template <typename Part>
  void Append(std::vector<Part>& parts, const char* what) {
    if (parts.size() == kMaxParts)
      parser_.Fail(SheetErrorCode::kTooLarge, std::string("the styles define too many ") + what);
    parts.emplace_back();
  }

  void OnStart(std::string_view name) {
    if (name == "numFmts")
      section_ = Section::kNumberFormats;
    else if (name == "fonts")
      section_ = Section::kFonts;
    else if (name == "fills")
      section_ = Section::kFills;
    else if (name == "borders")
      section_ = Section::kBorders;
    else if (name == "cellXfs")
      section_ = Section::kCellFormats;
    else if (section_ == Section::kNumberFormats && name == "numFmt")
      NumberFormat();
    else if (section_ == Section::kFonts)
      FontPart(name);
    else if (section_ == Section::kFills)
      FillPart(name);
    else if (section_ == Section::kBorders)
      BorderPart(name);
    else if (section_ == Section::kCellFormats)
      CellFormatPart(name);
  }

  void NumberFormat() {
    const auto* id = parser_.FindAttribute("numFmtId");
    const auto* code = parser_.FindAttribute("formatCode");
    std::uint32_t number_format_id = 0;
    if (id != nullptr && code != nullptr && ParseId(id->value, number_format_id)) {
      if (workbook_.number_formats.size() == kMaxNumberFormats) {
        parser_.Fail(SheetErrorCode::kTooLarge, "the styles define too many number formats");
      }
      workbook_.number_formats.insert_or_assign(number_format_id, DecodeXstring(code->value));
    }
  }

  void FontPart(std::string_view name) {
    if (name == "font") {
      Append(workbook_.fonts, "fonts");
      return;
    }
    if (workbook_.fonts.empty()) return;
    Font& font = workbook_.fonts.back();
    if (name == "b") {
      font.bold = FlagOn(parser_);
    } else if (name == "i") {
      font.italic = FlagOn(parser_);
    } else if (name == "strike") {
      font.strikeout = FlagOn(parser_);
    } else if (name == "u") {
      const auto* value = parser_.FindAttribute("val");
      font.underline = value == nullptr || value->value != "none";
    } else if (name == "sz") {
      if (const auto* value = parser_.FindAttribute("val")) {
        double size = 0;
        const auto result =
            std::from_chars(value->value.data(), value->value.data() + value->value.size(), size);
        if (result.ec == std::errc() && size > 0 && size < 1000) font.size = size;
      }
    } else if (name == "name") {
      if (const auto* value = parser_.FindAttribute("val")) font.name = DecodeXstring(value->value);
    } else if (name == "color") {
      font.color = ResolveColor(parser_, theme_);
    }
  }

  void FillPart(std::string_view name) {
    if (name == "fill") {
      Append(workbook_.fills, "fills");
      solid_ = false;
      return;
    }
    if (workbook_.fills.empty()) return;
    if (name == "patternFill") {
      const auto* pattern = parser_.FindAttribute("patternType");
      solid_ = pattern != nullptr && pattern->value == "solid";
    } else if (name == "fgColor" && solid_) {
      workbook_.fills.back().color = ResolveColor(parser_, theme_);
    }
  }

  void BorderPart(std::string_view name) {
    if (name == "border") {
      Append(workbook_.borders, "borders");
      return;
    }
    if (workbook_.borders.empty()) return;
    Border& border = workbook_.borders.back();
    // "start" and "end" are the names of the left and right edges in left-to-right sheets.
    if (name == "left" || name == "start")
      edge_ = &border.left;
    else if (name == "right" || name == "end")
      edge_ = &border.right;
    else if (name == "top")
      edge_ = &border.top;
    else if (name == "bottom")
      edge_ = &border.bottom;
    else if (name == "color" && edge_ != nullptr)
      edge_->color = ResolveColor(parser_, theme_);
    else
      return;
    if (name != "color") {
      const auto* style = parser_.FindAttribute("style");
      edge_->style = style != nullptr ? BorderStyleOf(style->value) : BorderStyle::kNone;
    }
  }

  void CellFormatPart(std::string_view name) {
    if (name == "xf") {
      if (workbook_.cell_formats.size() == kMaxCellFormats) {
        parser_.Fail(SheetErrorCode::kTooLarge, "the styles define too many cell formats");
      }
      CellFormat format;
      format.number_format_id = IdAttribute(parser_, "numFmtId");
      format.font = IdAttribute(parser_, "fontId");
      format.fill = IdAttribute(parser_, "fillId");
      format.border = IdAttribute(parser_, "borderId");
      workbook_.cell_formats.push_back(format);
      in_xf_ = true;
    } else if (name == "alignment" && in_xf_) {
      CellFormat& format = workbook_.cell_formats.back();
      if (const auto* value = parser_.FindAttribute("horizontal"))
        format.horizontal = HorizontalOf(value->value);
      if (const auto* value = parser_.FindAttribute("vertical")) format.vertical = VerticalOf(value->value);
      if (const auto* value = parser_.FindAttribute("wrapText"))
        format.wrap_text = value->value == "1" || value->value == "true";
      std::uint32_t indent = IdAttribute(parser_, "indent");
      format.indent = static_cast<std::uint8_t>(std::min<std::uint32_t>(indent, 250));
    }
  }

  container::XmlPullParser& parser_;
  Workbook& workbook_;
  const ThemeColors& theme_;
  Section section_ = Section::kNone;
  bool solid_ = false;
  bool in_xf_ = false;
  BorderEdge* edge_ = nullptr;
};

}  // namespace

void ReadStylesPart(container::XmlPullParser& parser, Workbook& workbook, const ThemeColors& theme) {
  StylesReader(parser, workbook, theme).Read();
}

}  // namespace quorvex::sheet::ooxml
