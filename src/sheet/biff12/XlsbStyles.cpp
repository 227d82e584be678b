// Reads BrtFmt, BrtFont, BrtFill, BrtBorder and the cell BrtXF records of an .xlsb styles part.
#include "sheet/biff12/XlsbStyles.h"

#include <array>

#include "sheet/biff/BorderStyles.h"
#include "sheet/biff12/RecordFields.h"
#include "sheet/biff12/XlsbRecords.h"
#include "sheet/model/Palette.h"

namespace quorvex::sheet::biff12 {
namespace {

constexpr std::size_t kMaxStyles = 1u << 20;

// Colours of the default Office theme, by theme index (dk1, lt1, dk2, lt2, accent1-6, links).
constexpr std::array<Rgb, 12> kThemeColors = {0x000000, 0xFFFFFF, 0x44546A, 0xE7E6E6, 0x4472C4, 0xED7D31,
                                              0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72};

constexpr std::array<VerticalAlignment, 8> kVertical = {
    VerticalAlignment::kTop,     VerticalAlignment::kCenter,      VerticalAlignment::kBottom,
    VerticalAlignment::kJustify, VerticalAlignment::kDistributed, VerticalAlignment::kBottom,
    VerticalAlignment::kBottom,  VerticalAlignment::kBottom,
};

class Styles {
 public:
  Styles(BinaryRecordReader& records, Workbook& workbook) : records_(records), workbook_(workbook) {}

  void Read() {
    while (records_.Next()) {
      switch (records_.id()) {
        case record::kFmt:
          ReadFormat();
          break;
        case record::kFont:
          ReadFont();
          break;
        case record::kFill:
          ReadFill();
          break;
        case record::kBorder:
          ReadBorder();
          break;
        case record::kBeginCellXfs:
          in_cell_xfs_ = true;
          break;
        case record::kEndCellXfs:
          in_cell_xfs_ = false;
          break;
        case record::kXf:
          if (in_cell_xfs_) ReadXf();
          break;
        default:
          break;
      }
    }
  }

 private:
  void CheckCount(std::size_t count) const {
    if (count >= kMaxStyles) records_.Fail("the styles part holds implausibly many entries");
  }

  /// BrtColor, MS-XLSB: a type (automatic, indexed, RGB, theme), an index and RGB bytes.
  std::optional<Rgb> Color(RecordFields& fields) {
    const std::uint8_t type = fields.U8() >> 1;
    const std::uint8_t index = fields.U8();
    fields.U16();  // tint, not applied
    const Rgb red = fields.U8();
    const Rgb green = fields.U8();
    const Rgb blue = fields.U8();
    fields.U8();
    switch (type) {
      case 1:
        return palette_.Resolve(index);
      case 2:
        return (red << 16) | (green << 8) | blue;
      case 3:
        return index < kThemeColors.size() ? std::optional<Rgb>(kThemeColors[index]) : std::nullopt;
      default:
        return std::nullopt;
    }
  }

  void ReadFormat() {
    // BrtFmt, MS-XLSB: a format id and its code.
    RecordFields fields(records_);
    const std::uint16_t id = fields.U16();
    std::string code;
    fields.WideString(code);
    CheckCount(workbook_.number_formats.size());
    workbook_.number_formats[id] = std::move(code);
  }

  void ReadFont() {
    // BrtFont, MS-XLSB.
    CheckCount(workbook_.fonts.size());
    RecordFields fields(records_);
    Font font;
    font.size = fields.U16() / 20.0;
    const std::uint16_t attributes = fields.U16();
    font.italic = (attributes & 0x02) != 0;
    font.strikeout = (attributes & 0x08) != 0;
    font.bold = fields.U16() >= 700;
    fields.U16();  // superscript / subscript
    font.underline = fields.U8() != 0;
    fields.Skip(3);
    font.color = Color(fields);
    fields.U8();  // font scheme
    font.name.clear();
    fields.WideString(font.name);
    workbook_.fonts.push_back(std::move(font));
  }

  void ReadFill() {
    // BrtFill, MS-XLSB: a pattern and its foreground colour; only solid fills show one.
    CheckCount(workbook_.fills.size());
    RecordFields fields(records_);
    const std::uint32_t pattern = fields.U32();
    Fill fill;
    const std::optional<Rgb> foreground = Color(fields);
    if (pattern == 1) fill.color = foreground;
    workbook_.fills.push_back(fill);
  }

  void ReadBorder() {
    // BrtBorder, MS-XLSB: flags, then top, bottom, left, right and diagonal edges.
    CheckCount(workbook_.borders.size());
    RecordFields fields(records_);
    fields.U8();
    Border border;
    for (BorderEdge* edge : {&border.top, &border.bottom, &border.left, &border.right}) {
      const std::uint8_t style = fields.U8();
      fields.U8();
      const std::optional<Rgb> color = Color(fields);
      edge->style = biff::BorderStyleFromCode(style);
      if (edge->style != BorderStyle::kNone) edge->color = color;
    }
    workbook_.borders.push_back(border);
  }

  void ReadXf() {
    // BrtXF, MS-XLSB.
    CheckCount(workbook_.cell_formats.size());
    RecordFields fields(records_);
    CellFormat format;
    fields.U16();  // parent style XF
    format.number_format_id = fields.U16();
    format.font = fields.U16();
    format.fill = fields.U16();
    format.border = fields.U16();
    fields.U8();  // rotation
    format.indent = fields.U8();
    const std::uint16_t alignment = fields.U16();
    format.horizontal = static_cast<HorizontalAlignment>(alignment & 0x07);
    format.vertical = kVertical[(alignment >> 3) & 0x07];
    format.wrap_text = (alignment & 0x40) != 0;
    workbook_.cell_formats.push_back(format);
  }

  BinaryRecordReader& records_;
  Workbook& workbook_;
  Palette palette_;
  bool in_cell_xfs_ = false;
};

}  // namespace

void ReadXlsbStyles(BinaryRecordReader& records, Workbook& workbook) {
  Styles(records, workbook).Read();
  // Indexes the file gives past the end of their tables fall back to the first entry.
  if (workbook.fonts.empty()) workbook.fonts.push_back(Font{});
  if (workbook.fills.empty()) workbook.fills.push_back(Fill{});
  if (workbook.borders.empty()) workbook.borders.push_back(Border{});
  for (CellFormat& format : workbook.cell_formats) {
    if (format.font >= workbook.fonts.size()) format.font = 0;
    if (format.fill >= workbook.fills.size()) format.fill = 0;
    if (format.border >= workbook.borders.size()) format.border = 0;
  }
}

}  // namespace quorvex::sheet::biff12
