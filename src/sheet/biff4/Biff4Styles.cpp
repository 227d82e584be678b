// FONT, FORMAT and XF records of BIFF2 (XF 0x0043), BIFF3 (0x0243) and BIFF4 (0x0443).
#include "sheet/biff4/Biff4Styles.h"

#include <string>

#include "sheet/biff4/Biff4Records.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff4 {
namespace {

using container::ReadU16;

constexpr std::uint32_t kFirstFormatId = 164;    // past the built-in number formats
constexpr std::size_t kMaxStyles = 65535;        // fonts, formats and cell formats, each
constexpr std::uint32_t kAttributeFormats = 64;  // FORMAT indexes a BIFF2 cell attribute can name

constexpr VerticalAlignment kVertical[4] = {VerticalAlignment::kTop, VerticalAlignment::kCenter,
                                            VerticalAlignment::kBottom, VerticalAlignment::kJustify};

HorizontalAlignment Horizontal(unsigned bits) {
  return bits <= 6 ? static_cast<HorizontalAlignment>(bits) : HorizontalAlignment::kGeneral;
}

}  // namespace

StyleCollector::StyleCollector(Workbook& workbook, const biff::CodePage* const& code_page)
    : workbook_(workbook), code_page_(code_page), next_format_id_(kFirstFormatId) {
  if (workbook_.fills.empty()) workbook_.fills.push_back(Fill{});
  if (workbook_.borders.empty()) workbook_.borders.push_back(Border{});
}

void StyleCollector::BeginSubstream() {
  scope_ = Scope{};
}

bool StyleCollector::Take(biff::BiffRecordReader& records) {
  switch (records.id()) {
    case record::kFont2:
    case record::kFont3:
      ReadFont(records);
      return true;
    case record::kFormat2:
    case record::kFormat4:
      ReadFormat(records);
      return true;
    case record::kXf2:
    case record::kXf3:
    case record::kXf4:
      ReadXf(records);
      return true;
    default:
      return false;
  }
}

void StyleCollector::ReadFont(biff::BiffRecordReader& records) {
  // FONT: height in twips, option flags (bold, italic, underline, struck out), a colour index
  // from BIFF3 on, then the name as a byte string with an 8-bit length.
  const std::string_view data = records.data();
  const std::size_t name_at = records.id() == record::kFont3 ? 6 : 4;
  if (data.size() < name_at + 1) records.Fail("a FONT record is too short");
  if (workbook_.fonts.size() >= kMaxStyles) records.Fail("the workbook holds too many fonts");
  Font font;
  font.size = ReadU16(data.data()) / 20.0;
  const std::uint16_t options = ReadU16(data.data() + 2);
  font.bold = (options & 0x01) != 0;
  font.italic = (options & 0x02) != 0;
  font.underline = (options & 0x04) != 0;
  font.strikeout = (options & 0x08) != 0;
  const std::size_t length = static_cast<unsigned char>(data[name_at]);
  if (data.size() < name_at + 1 + length) records.Fail("a FONT record's name runs past its end");
  font.name.clear();
  code_page_->Append(data.substr(name_at + 1, length), font.name);
  if (scope_.font_count == 0) scope_.font_base = static_cast<std::uint32_t>(workbook_.fonts.size());
  ++scope_.font_count;
  workbook_.fonts.push_back(std::move(font));
}

void StyleCollector::ReadFormat(biff::BiffRecordReader& records) {
  // FORMAT: a byte string; BIFF4 puts two bytes of no meaning before it. Formats are numbered
  // by their order in the substream.
  const std::string_view data = records.data();
  const std::size_t text_at = records.id() == record::kFormat4 ? 2 : 0;
  if (data.size() < text_at + 1) records.Fail("a FORMAT record is too short");
  if (workbook_.number_formats.size() >= kMaxStyles)
    records.Fail("the workbook holds too many number formats");
  const std::size_t length = static_cast<unsigned char>(data[text_at]);
  if (data.size() < text_at + 1 + length) records.Fail("a FORMAT record's code runs past its end");
  std::string code;
  code_page_->Append(data.substr(text_at + 1, length), code);
  workbook_.number_formats[next_format_id_] = std::move(code);
  scope_.format_ids.push_back(next_format_id_++);
}

void StyleCollector::ReadXf(biff::BiffRecordReader& records) {
  // XF: font and format indexes, then alignment; BIFF2 packs the format into the low six bits
  // of its third byte.
  const std::string_view data = records.data();
  const std::uint16_t id = records.id();
  if (data.size() < (id == record::kXf2 ? 4u : 6u)) records.Fail("an XF record is too short");
  if (workbook_.cell_formats.size() >= kMaxStyles) records.Fail("the workbook holds too many cell formats");
  CellFormat format;
  XfReference reference;
  reference.font = static_cast<std::uint8_t>(data[0]);
  if (id == record::kXf2) {
    reference.format = static_cast<std::uint8_t>(data[2] & 0x3F);
    format.horizontal = Horizontal(static_cast<unsigned char>(data[3]) & 0x07);
  } else if (id == record::kXf3) {
    reference.format = static_cast<std::uint8_t>(data[1]);
    const std::uint16_t alignment = ReadU16(data.data() + 4);
    format.horizontal = Horizontal(alignment & 0x07);
    format.wrap_text = (alignment & 0x08) != 0;
  } else {
    reference.format = static_cast<std::uint8_t>(data[1]);
    const auto alignment = static_cast<unsigned char>(data[4]);
    format.horizontal = Horizontal(alignment & 0x07);
    format.wrap_text = (alignment & 0x08) != 0;
    format.vertical = kVertical[(alignment >> 4) & 0x03];
  }
  if (scope_.xf_count == 0) scope_.xf_base = static_cast<std::uint32_t>(workbook_.cell_formats.size());
  ++scope_.xf_count;
  scope_.xf_references.push_back(reference);
  workbook_.cell_formats.push_back(format);
}

std::uint32_t StyleCollector::FormatId(const Scope& scope, std::uint32_t index) const {
  // An index past the substream's FORMAT records reads as the built-in format of that number.
  return index < scope.format_ids.size() ? scope.format_ids[index] : index;
}

SheetStyles StyleCollector::Resolve(Scope& scope, const Scope& fallback) {
  const Scope& formats = scope.format_ids.empty() ? fallback : scope;
  const Scope& fonts = scope.font_count == 0 ? fallback : scope;
  for (std::uint32_t i = 0; i < scope.xf_count; ++i) {
    CellFormat& format = workbook_.cell_formats[scope.xf_base + i];
    const XfReference reference = scope.xf_references[i];
    format.number_format_id = FormatId(formats, reference.format);
    // Font index 4 is never written: the fifth font record is font 5.
    const std::uint32_t font = reference.font >= 4 ? reference.font - 1u : reference.font;
    format.font = font < fonts.font_count ? fonts.font_base + font : 0;
  }
  SheetStyles styles;
  styles.xf_base = scope.xf_base;
  styles.xf_count = scope.xf_count;
  if (scope.xf_count == 0 && fallback.xf_count > 0) return globals_styles_;
  if (scope.xf_count == 0) {
    // Excel 2.0 wrote no XF records: each cell names its number format itself.
    if (workbook_.cell_formats.size() + kAttributeFormats > kMaxStyles) {
      throw SheetError(SheetErrorCode::kTooLarge, "the workbook holds too many cell formats");
    }
    styles.attribute_base = static_cast<std::uint32_t>(workbook_.cell_formats.size());
    for (std::uint32_t i = 0; i < kAttributeFormats; ++i) {
      CellFormat format;
      format.number_format_id = FormatId(formats, i);
      workbook_.cell_formats.push_back(format);
    }
  }
  return styles;
}

SheetStyles StyleCollector::EndSubstream(bool globals) {
  const SheetStyles styles = Resolve(scope_, globals ? Scope{} : globals_scope_);
  if (globals) {
    globals_scope_ = scope_;
    globals_styles_ = styles;
  }
  return styles;
}

}  // namespace quorvex::sheet::biff4
