// CSS rules for a workbook's cell formats.
#include "sheet/writers/HtmlStyleSheet.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace quorvex::sheet {
namespace {

// A font name goes into a quoted CSS string: keep only characters that cannot end it or the
// style element.
std::string SafeFontName(const std::string& name) {
  std::string safe;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || c == ' ' || c == '-' || c == '_' || byte >= 0x80) safe.push_back(c);
  }
  return safe;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

void AppendBorder(std::string& out, const char* side, const BorderEdge& edge) {
  const char* css = nullptr;
  switch (edge.style) {
    case BorderStyle::kNone:
      return;
    case BorderStyle::kThin:
      css = "1px solid";
      break;
    case BorderStyle::kHair:
    case BorderStyle::kDotted:
      css = "1px dotted";
      break;
    case BorderStyle::kDashed:
    case BorderStyle::kDashDot:
    case BorderStyle::kDashDotDot:
      css = "1px dashed";
      break;
    case BorderStyle::kMedium:
      css = "2px solid";
      break;
    case BorderStyle::kMediumDashed:
    case BorderStyle::kMediumDashDot:
    case BorderStyle::kMediumDashDotDot:
    case BorderStyle::kSlantDashDot:
      css = "2px dashed";
      break;
    case BorderStyle::kThick:
      css = "3px solid";
      break;
    case BorderStyle::kDouble:
      css = "3px double";
      break;
  }
  out.append("border-").append(side).append(":").append(css).append(" ");
  out.append(edge.color ? CssColor(*edge.color) : "#000000").append(";");
}

void AppendAlignment(std::string& out, const CellFormat& format) {
  switch (format.horizontal) {
    case HorizontalAlignment::kGeneral:
      break;
    case HorizontalAlignment::kLeft:
      out.append("text-align:left;");
      break;
    case HorizontalAlignment::kCenter:
    case HorizontalAlignment::kCenterContinuous:
      out.append("text-align:center;");
      break;
    case HorizontalAlignment::kRight:
      out.append("text-align:right;");
      break;
    case HorizontalAlignment::kFill:
      out.append("text-align:left;");
      break;
    case HorizontalAlignment::kJustify:
    case HorizontalAlignment::kDistributed:
      out.append("text-align:justify;");
      break;
  }
  switch (format.vertical) {
    case VerticalAlignment::kBottom:
      break;
    case VerticalAlignment::kTop:
      out.append("vertical-align:top;");
      break;
    case VerticalAlignment::kCenter:
    case VerticalAlignment::kJustify:
    case VerticalAlignment::kDistributed:
      out.append("vertical-align:middle;");
      break;
  }
  if (format.wrap_text) out.append("white-space:pre-wrap;overflow-wrap:break-word;");
  if (format.indent > 0) {
    // One indent step is about the width of one default character and a half.
    const char* side = format.horizontal == HorizontalAlignment::kRight ? "right" : "left";
    out.append("padding-")
        .append(side)
        .append(":")
        .append(std::to_string(format.indent * 10 + 2))
        .append("px;");
  }
}

}  // namespace

int ColumnWidthPixels(double characters) {
  if (!(characters > 0)) return 0;
  return static_cast<int>(std::lround(characters * 7 + 5));
}

std::string CssColor(Rgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

void AppendStyleRules(std::string& out, const Workbook& workbook, const std::set<std::uint32_t>& used) {
  for (const std::uint32_t style : used) {
    if (style >= workbook.cell_formats.size()) continue;
    const CellFormat& format = workbook.cell_formats[style];
    // As specific as the base rules of the table, and after them, so that the style wins.
    out.append("table.q-sheet td.s").append(std::to_string(style)).append("{");
    if (format.font < workbook.fonts.size()) {
      const Font& font = workbook.fonts[format.font];
      const std::string family = SafeFontName(font.name);
      if (!family.empty()) out.append("font-family:\"").append(family).append("\",sans-serif;");
      if (font.size > 0 && font.size < 410) out.append("font-size:").append(Number(font.size)).append("pt;");
      if (font.bold) out.append("font-weight:bold;");
      if (font.italic) out.append("font-style:italic;");
      if (font.underline || font.strikeout) {
        out.append("text-decoration:");
        if (font.underline) out.append(" underline");
        if (font.strikeout) out.append(" line-through");
        out.append(";");
      }
      if (font.color) out.append("color:").append(CssColor(*font.color)).append(";");
    }
    if (format.fill < workbook.fills.size() && workbook.fills[format.fill].color) {
      out.append("background-color:").append(CssColor(*workbook.fills[format.fill].color)).append(";");
    }
    if (format.border < workbook.borders.size()) {
      const Border& border = workbook.borders[format.border];
      AppendBorder(out, "left", border.left);
      AppendBorder(out, "right", border.right);
      AppendBorder(out, "top", border.top);
      AppendBorder(out, "bottom", border.bottom);
    }
    AppendAlignment(out, format);
    out.append("}\n");
  }
}

}  // namespace quorvex::sheet
