// The look of cells: fonts, fills, borders and alignment, as the readers resolve them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvex::sheet {

/// An opaque RGB colour 0xRRGGBB. Readers resolve indexed, theme and tinted colours to RGB;
/// "automatic" colours are left empty (std::nullopt) so that writers use their default.
using Rgb = std::uint32_t;

struct Font {
  std::string name = "Calibri";
  double size = 11;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  std::optional<Rgb> color;
};

/// A cell's background: only solid fills carry a colour a writer can show.
struct Fill {
  std::optional<Rgb> color;
};

enum class BorderStyle : std::uint8_t {
  kNone,
  kThin,
  kMedium,
  kThick,
  kDashed,
  kDotted,
  kDouble,
  kHair,
  kMediumDashed,
  kDashDot,
  kMediumDashDot,
  kDashDotDot,
  kMediumDashDotDot,
  kSlantDashDot,
};

struct BorderEdge {
  BorderStyle style = BorderStyle::kNone;
  std::optional<Rgb> color;
};

struct Border {
  BorderEdge left;
  BorderEdge right;
  BorderEdge top;
  BorderEdge bottom;
};

enum class HorizontalAlignment : std::uint8_t {
  kGeneral,
  kLeft,
  kCenter,
  kRight,
  kFill,
  kJustify,
  kCenterContinuous,
  kDistributed,
};

enum class VerticalAlignment : std::uint8_t { kBottom, kTop, kCenter, kJustify, kDistributed };

/// Width of a column and whether it is hidden; `width` is in characters of the default font,
/// as the files store it. Columns are 0-based and inclusive.
struct ColumnInfo {
  std::uint32_t first_column = 0;
  std::uint32_t last_column = 0;
  double width = 0;
  bool hidden = false;
  std::uint32_t style = 0;
  bool styled = false;        // `style` differs from the sheet's default cell style
  bool to_sheet_end = false;  // the record runs to the sheet's last column (a whole-sheet format)
};

/// A row record: height in points (0 when the file gives none) and what else sets it apart
/// from the sheet's default row.
struct RowInfo {
  std::uint32_t row = 0;
  double height = 0;
  bool hidden = false;
  bool custom_height = false;  // the height was set rather than fitted to the contents
  std::uint8_t outline_level = 0;
  bool collapsed = false;
  bool thick_top = false;
  bool thick_bottom = false;
  std::optional<std::uint32_t> style = std::nullopt;  // a style the whole row carries (a custom row format)
  bool styled = false;  // `style` is set and differs from the default cell style
};

}  // namespace quorvex::sheet
