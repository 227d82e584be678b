// Reads the workbook globals: BOF, FILEPASS, CODEPAGE, DATEMODE, WINDOW1, BOUNDSHEET, FONT,
// FORMAT, XF, PALETTE, SST, SUPBOOK, EXTERNSHEET and NAME, and resolves colours once the palette
// is known and 3D reference sheets once all sheets are.
#include "sheet/biff8/GlobalsReader.h"

#include <algorithm>
#include <array>
#include <memory>

#include "sheet/biff/BorderStyles.h"
#include "sheet/biff/CodePage.h"
#include "sheet/biff8/BiffRecords.h"
#include "sheet/biff8/ContinuedRecord.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/container/Utf16.h"
#include "sheet/formula/FormulaDecompiler.h"
#include "sheet/model/Palette.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff8 {
namespace {

using container::ReadU16;
using container::ReadU32;

constexpr std::size_t kMaxSheets = 65535;
constexpr std::size_t kMaxStyles = 65535;
// The declared count only sizes the first allocation; the table grows with the strings present.
constexpr std::uint32_t kMaxReserve = 1u << 20;

constexpr std::array<VerticalAlignment, 8> kVertical = {
    VerticalAlignment::kTop,     VerticalAlignment::kCenter,      VerticalAlignment::kBottom,
    VerticalAlignment::kJustify, VerticalAlignment::kDistributed, VerticalAlignment::kBottom,
    VerticalAlignment::kBottom,  VerticalAlignment::kBottom,
};

/// One EXTERNSHEET entry: a SUPBOOK index and a span of its sheets.
struct Xti {
  std::uint16_t supbook = 0;
  std::uint16_t first = 0;
  std::uint16_t last = 0;
};

/// Colour indices of one XF, resolved once the PALETTE (which follows the XFs) is read.
struct RawXfColors {
  std::uint8_t pattern = 0;
  std::uint16_t fill = 0;
  std::array<std::uint16_t, 4> edges{};  // left, right, top, bottom
};

class Globals {
 public:
  Globals(biff::BiffRecordReader& records, const std::string& file_path)
      : records_(records), file_path_(file_path) {}

  XlsGlobals Read() {
    ReadBof();
    while (records_.Next()) {
      if (records_.id() == record::kEof) {
        Resolve();
        return std::move(globals_);
      }
      Dispatch();
    }
    records_.Fail("the workbook globals end without an EOF record");
  }

 private:
  void Require(std::size_t size, const char* what) const {
    if (records_.data().size() < size) records_.Fail(std::string("a ") + what + " record is too short");
  }

  void ReadBof() {
    if (!records_.Next()) records_.Fail("the workbook stream is empty");
    const std::uint16_t id = records_.id();
    if (id == record::kBofBiff2 || id == record::kBofBiff3 || id == record::kBofBiff4) {
      throw SheetError(SheetErrorCode::kUnsupported, "workbooks older than Excel 5.0 are not supported",
                       records_.part(), 0);
    }
    if (id != record::kBof) records_.Fail("the workbook stream does not start with a BOF record");
    Require(4, "BOF");
    const std::uint16_t version = ReadU16(records_.data().data());
    if (ReadU16(records_.data().data() + 2) != substream::kGlobals) {
      records_.Fail("the workbook stream does not start with the workbook globals");
    }
    globals_.biff_version = version == 0x0500 ? 5 : 8;
  }

  void Dispatch() {
    const std::string_view data = records_.data();
    switch (records_.id()) {
      case record::kFilePass:
        throw SheetError(SheetErrorCode::kPasswordProtected, "the workbook is password-protected",
                         file_path_);
      case record::kCodePage:  // CodePage, MS-XLS 2.4.52
        Require(2, "CODEPAGE");
        globals_.code_page = ReadU16(data.data());
        code_page_ = std::make_unique<biff::CodePage>(globals_.code_page);
        return;
      case record::kDateMode:  // DateMode, MS-XLS 2.4.77
        Require(2, "DATEMODE");
        globals_.workbook.date1904 = ReadU16(data.data()) == 1;
        return;
      case record::kWindow1:  // Window1, MS-XLS 2.4.345
        if (data.size() >= 12) active_tab_ = ReadU16(data.data() + 10);
        return;
      case record::kBoundSheet:
        ReadBoundSheet();
        return;
      case record::kFont:
        ReadFont();
        return;
      case record::kFormat:
        ReadFormat();
        return;
      case record::kXf:
        ReadXf();
        return;
      case record::kPalette:
        ReadPalette();
        return;
      case record::kSst:
        if (globals_.biff_version == 8) ReadSst();
        return;
      case record::kSupBook:  // SupBook, MS-XLS 2.4.271: 0x0401 in cch marks this workbook, 0x3A01 add-ins
        if (globals_.biff_version == 8) {
          supbook_is_self_.push_back(data.size() >= 4 && ReadU16(data.data() + 2) == 0x0401);
          supbook_is_addin_.push_back(data.size() >= 4 && ReadU16(data.data() + 2) == 0x3A01);
          globals_.extern_names.emplace_back();
        }
        return;
      case record::kExternName:
        if (globals_.biff_version == 8) ReadExternName();
        return;
      case record::kExternSheet:
        if (globals_.biff_version == 8) ReadExternSheet();
        return;
      case record::kName:
        if (globals_.biff_version == 8) ReadName();
        return;
      default:
        return;  // records that do not matter here are skipped
    }
  }

  /// A BIFF5 byte string with an 8-bit count, or a BIFF8 ShortXLUnicodeString, at `at`.
  std::string ShortString(std::size_t at, const char* what) {
    const std::string_view data = records_.data();
    if (data.size() < at + 1) records_.Fail(std::string("a ") + what + " record is too short for its name");
    const std::size_t count = static_cast<unsigned char>(data[at]);
    std::string text;
    if (globals_.biff_version == 5) {
      if (data.size() < at + 1 + count)
        records_.Fail(std::string("a ") + what + " name runs past its record");
      Decoder().Append(data.substr(at + 1, count), text);
      return text;
    }
    if (data.size() < at + 2) records_.Fail(std::string("a ") + what + " record is too short for its name");
    const bool high_byte = (data[at + 1] & 0x01) != 0;
    const std::size_t bytes = count * (high_byte ? 2 : 1);
    if (data.size() < at + 2 + bytes) records_.Fail(std::string("a ") + what + " name runs past its record");
    if (high_byte) {
      container::AppendUtf16(data.data() + at + 2, count, text);
    } else {
      container::AppendLatin1(data.substr(at + 2, count), text);
    }
    return text;
  }

  const biff::CodePage& Decoder() {
    if (!code_page_) code_page_ = std::make_unique<biff::CodePage>(globals_.code_page);
    return *code_page_;
  }

  void ReadBoundSheet() {
    // BoundSheet8, MS-XLS 2.4.28: stream position of the sheet's BOF, visibility, type, name.
    Require(6, "BOUNDSHEET");
    if (globals_.workbook.sheets.size() >= kMaxSheets) records_.Fail("the workbook lists too many sheets");
    const std::string_view data = records_.data();
    SheetInfo sheet;
    const std::uint32_t offset = ReadU32(data.data());
    sheet.hidden = (data[4] & 0x03) != 0;
    sheet.very_hidden = (data[4] & 0x03) == 0x02;
    switch (static_cast<std::uint8_t>(data[5])) {
      case 0x00:
        sheet.kind = SheetKind::kWorksheet;
        break;
      case 0x02:
        sheet.kind = SheetKind::kChart;
        break;
      default:
        sheet.kind = SheetKind::kMacro;
        break;  // macro sheets and VBA modules
    }
    sheet.name = ShortString(6, "BOUNDSHEET");
    sheet.location = std::to_string(offset);
    globals_.sheet_offsets.push_back(offset);
    globals_.workbook.sheets.push_back(std::move(sheet));
  }

  void ReadFont() {
    // Font, MS-XLS 2.4.122: height in twips, attributes, colour index, weight, underline, name.
    Require(15, "FONT");
    if (globals_.workbook.fonts.size() >= kMaxStyles) records_.Fail("the workbook holds too many fonts");
    const std::string_view data = records_.data();
    Font font;
    font.size = ReadU16(data.data()) / 20.0;
    const std::uint16_t attributes = ReadU16(data.data() + 2);
    font.italic = (attributes & 0x02) != 0;
    font.strikeout = (attributes & 0x08) != 0;
    font_colors_.push_back(ReadU16(data.data() + 4));
    font.bold = ReadU16(data.data() + 6) >= 700;
    font.underline = data[10] != 0;
    font.name = ShortString(14, "FONT");
    globals_.workbook.fonts.push_back(std::move(font));
  }

  void ReadFormat() {
    // Format, MS-XLS 2.4.126: a number format id and its code.
    Require(3, "FORMAT");
    const std::uint16_t id = ReadU16(records_.data().data());
    std::string code;
    if (globals_.biff_version == 5) {
      code = ShortString(2, "FORMAT");
    } else {
      ContinuedRecord body(records_);
      body.Skip(2);
      body.ReadUnicodeString(code);
    }
    globals_.workbook.number_formats[id] = std::move(code);
  }

  void ReadXf() {
    // XF, MS-XLS 2.4.353 (BIFF8, 20 bytes); BIFF5 packs the same facts into 16 bytes.
    const std::string_view data = records_.data();
    if (globals_.workbook.cell_formats.size() >= kMaxStyles)
      records_.Fail("the workbook holds too many cell formats");
    CellFormat format;
    RawXfColors colors;
    Require(globals_.biff_version == 5 ? 16 : 20, "XF");
    const std::uint16_t font = ReadU16(data.data());
    format.font = font >= 4 ? font - 1 : font;  // font index 4 is never written
    format.number_format_id = ReadU16(data.data() + 2);
    const std::uint8_t alignment = static_cast<std::uint8_t>(data[6]);
    format.horizontal = static_cast<HorizontalAlignment>(alignment & 0x07);
    format.wrap_text = (alignment & 0x08) != 0;
    format.vertical = kVertical[(alignment >> 4) & 0x07];
    if (globals_.biff_version == 8) {
      format.indent = static_cast<std::uint8_t>(data[8] & 0x0F);
      const std::uint32_t edges = ReadU32(data.data() + 10);
      const std::uint32_t more = ReadU32(data.data() + 14);
      const std::uint16_t fill = ReadU16(data.data() + 18);
      border_styles_.push_back(
          {biff::BorderStyleFromCode(edges & 0x0F), biff::BorderStyleFromCode((edges >> 4) & 0x0F),
           biff::BorderStyleFromCode((edges >> 8) & 0x0F), biff::BorderStyleFromCode((edges >> 12) & 0x0F)});
      colors.edges = {
          static_cast<std::uint16_t>((edges >> 16) & 0x7F), static_cast<std::uint16_t>((edges >> 23) & 0x7F),
          static_cast<std::uint16_t>(more & 0x7F), static_cast<std::uint16_t>((more >> 7) & 0x7F)};
      colors.pattern = static_cast<std::uint8_t>((more >> 26) & 0x3F);
      colors.fill = fill & 0x7F;
    } else {
      const std::uint32_t fill = ReadU32(data.data() + 8);
      const std::uint32_t edges = ReadU32(data.data() + 12);
      colors.fill = fill & 0x7F;
      colors.pattern = static_cast<std::uint8_t>((fill >> 16) & 0x3F);
      border_styles_.push_back(
          {biff::BorderStyleFromCode((edges >> 3) & 0x07), biff::BorderStyleFromCode((edges >> 6) & 0x07),
           biff::BorderStyleFromCode(edges & 0x07), biff::BorderStyleFromCode((fill >> 22) & 0x07)});
      colors.edges = {
          static_cast<std::uint16_t>((edges >> 16) & 0x7F), static_cast<std::uint16_t>((edges >> 23) & 0x7F),
          static_cast<std::uint16_t>((edges >> 9) & 0x7F), static_cast<std::uint16_t>((fill >> 25) & 0x7F)};
    }
    const auto index = static_cast<std::uint32_t>(globals_.workbook.cell_formats.size());
    format.fill = index;
    format.border = index;
    xf_colors_.push_back(colors);
    globals_.workbook.cell_formats.push_back(format);
  }

  void ReadPalette() {
    // Palette, MS-XLS 2.4.188: a count, then that many RGB colours (4 bytes each) for index 8 on.
    // A record too short for its count changes nothing.
    const std::string_view data = records_.data();
    if (data.size() < 2) return;
    const std::size_t count = ReadU16(data.data());
    if (data.size() < 2 + 4 * count) return;
    for (std::size_t i = 0; i < count; ++i) {
      const auto* rgb = reinterpret_cast<const unsigned char*>(data.data() + 2 + 4 * i);
      palette_.Replace(Palette::kFirstReplaceable + i, (Rgb{rgb[0]} << 16) | (Rgb{rgb[1]} << 8) | rgb[2]);
    }
  }

  void ReadSst() {
    // SST, MS-XLS 2.4.265: counts, then strings that may run on into CONTINUE records.
    ContinuedRecord body(records_);
    body.U32();  // references in the workbook, not needed
    const std::uint32_t unique = body.U32();
    globals_.shared_strings.Reserve(std::min(unique, kMaxReserve));
    std::string text;
    for (std::uint32_t i = 0; i < unique && !body.AtEnd(); ++i) {
      text.clear();
      body.ReadRichExtendedString(text);
      if (!globals_.shared_strings.Add(text)) {
        throw SheetError(SheetErrorCode::kTooLarge, container::StringTable::kOverBudget, records_.part(),
                         records_.offset());
      }
    }
  }

  void ReadExternSheet() {
    // ExternSheet, MS-XLS 2.4.106: a count, then XTI entries (supporting link, first and last sheet).
    const std::string_view data = records_.data();
    if (data.size() < 2) return;
    const std::size_t count = std::min<std::size_t>(ReadU16(data.data()), (data.size() - 2) / 6);
    for (std::size_t i = 0; i < count; ++i) {
      const char* xti = data.data() + 2 + 6 * i;
      xtis_.push_back({ReadU16(xti), ReadU16(xti + 2), ReadU16(xti + 4)});
    }
  }

  void ReadExternName() {
    // ExternName, MS-XLS 2.4.105: flags, 4 bytes, then a ShortXLUnicodeString. Only the names of
    // add-in SUPBOOKs (function names) are kept; the others stay empty so indexes still line up.
    if (globals_.extern_names.empty()) return;
    std::vector<std::string>& names = globals_.extern_names.back();
    const std::string_view data = records_.data();
    std::string name;
    if (supbook_is_addin_.back() && data.size() >= 8) {
      const std::size_t count = static_cast<unsigned char>(data[6]);
      const bool high_byte = (data[7] & 0x01) != 0;
      if (data.size() >= 8 + count * (high_byte ? 2 : 1)) {
        if (high_byte) {
          container::AppendUtf16(data.data() + 8, count, name);
        } else {
          container::AppendLatin1(data.substr(8, count), name);
        }
      }
    }
    names.push_back(std::move(name));
  }

  void ReadName() {
    // Lbl, MS-XLS 2.4.150: flags, key, name length, ..., then the name without its count at 14.
    const std::string_view data = records_.data();
    std::string name;
    if (data.size() >= 15 && (ReadU16(data.data()) & 0x0020) == 0) {
      const std::size_t count = static_cast<unsigned char>(data[3]);
      const bool high_byte = (data[14] & 0x01) != 0;
      if (data.size() >= 15 + count * (high_byte ? 2 : 1)) {
        if (high_byte) {
          container::AppendUtf16(data.data() + 15, count, name);
        } else {
          container::AppendLatin1(data.substr(15, count), name);
        }
      }
    }
    globals_.defined_names.push_back(std::move(name));  // built-in names stay empty
  }

  void ResolveExternSheets() {
    const std::vector<SheetInfo>& sheets = globals_.workbook.sheets;
    for (const Xti& xti : xtis_) {
      globals_.xti_supbooks.push_back(xti.supbook);
      std::string prefix;
      if (xti.supbook < supbook_is_self_.size() && supbook_is_self_[xti.supbook] && xti.first <= xti.last &&
          xti.last < sheets.size()) {
        prefix = formula::FormulaDecompiler::SheetSpanText(sheets[xti.first].name, sheets[xti.last].name,
                                                           xti.first == xti.last);
      }
      globals_.extern_sheets.push_back(std::move(prefix));
    }
  }

  void Resolve() {
    ResolveExternSheets();
    Workbook& workbook = globals_.workbook;
    for (std::size_t i = 0; i < workbook.fonts.size(); ++i)
      workbook.fonts[i].color = palette_.Resolve(font_colors_[i]);
    for (std::size_t i = 0; i < xf_colors_.size(); ++i) {
      const RawXfColors& raw = xf_colors_[i];
      Fill fill;
      if (raw.pattern == 1) fill.color = palette_.Resolve(raw.fill);  // only solid fills show a colour
      workbook.fills.push_back(fill);
      Border border;
      BorderEdge* edges[] = {&border.left, &border.right, &border.top, &border.bottom};
      for (std::size_t e = 0; e < 4; ++e) {
        edges[e]->style = border_styles_[i][e];
        if (edges[e]->style != BorderStyle::kNone) edges[e]->color = palette_.Resolve(raw.edges[e]);
      }
      workbook.borders.push_back(border);
    }
    const std::uint32_t font_count = static_cast<std::uint32_t>(workbook.fonts.size());
    for (CellFormat& format : workbook.cell_formats) {
      if (format.font >= font_count) format.font = 0;
    }
    if (workbook.fonts.empty()) workbook.fonts.push_back(Font{});
    if (workbook.cell_formats.empty()) {
      workbook.cell_formats.push_back(CellFormat{});
      workbook.fills.push_back(Fill{});
      workbook.borders.push_back(Border{});
    }
    if (active_tab_ < workbook.sheets.size()) workbook.active_sheet = active_tab_;
  }

  biff::BiffRecordReader& records_;
  const std::string& file_path_;
  XlsGlobals globals_;
  std::unique_ptr<biff::CodePage> code_page_;
  Palette palette_;
  std::vector<std::uint16_t> font_colors_;
  std::vector<RawXfColors> xf_colors_;
  std::vector<std::array<BorderStyle, 4>> border_styles_;
  std::size_t active_tab_ = 0;
  std::vector<bool> supbook_is_self_;
  std::vector<bool> supbook_is_addin_;
  std::vector<Xti> xtis_;
};

}  // namespace

XlsGlobals ReadGlobals(biff::BiffRecordReader& records, const std::string& file_path) {
  return Globals(records, file_path).Read();
}

}  // namespace quorvex::sheet::biff8
