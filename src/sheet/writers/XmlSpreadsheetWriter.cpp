// A whole workbook as an XML Spreadsheet 2003 document.
#include "sheet/writers/XmlSpreadsheetWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "sheet/model/SerialDate.h"
#include "sheet/model/SheetError.h"
#include "sheet/numfmt/DateRenderer.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/writers/FormulaR1C1.h"
#include "sheet/writers/HtmlStyleSheet.h"
#include "sheet/writers/MarkupEscape.h"
#include "sheet/writers/NumberG17.h"
#include "sheet/writers/OutputFile.h"
#include "sheet/writers/PieceWriter.h"
#include "sheet/writers/SheetLayout.h"

namespace quorvex::sheet {
namespace {

// Literals appended as string views: their length is known, so no strlen per append.
using namespace std::string_view_literals;

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<?mso-application progid=\"Excel.Sheet\"?>\n"
    "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
    " xmlns:o=\"urn:schemas-microsoft-com:office:office\"\n"
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"\n"
    " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
    " xmlns:html=\"http://www.w3.org/TR/REC-html40\">\n";

// Sheet names: at most 31 characters and none of : \ / ? * [ ], as the application demands.
std::string WorksheetName(const std::string& name, std::set<std::string>& taken) {
  std::string clean;
  for (const char c : ValidXmlText(name)) {
    if (c == ':' || c == '\\' || c == '/' || c == '?' || c == '*' || c == '[' || c == ']')
      clean.push_back('_');
    else if (static_cast<unsigned char>(c) < 0x20)
      clean.push_back(' ');
    else
      clean.push_back(c);
  }
  if (clean.empty()) clean = "Sheet";
  std::string unique = clean;
  for (int n = 2; !taken.insert(unique).second; ++n) unique = clean + " (" + std::to_string(n) + ")";
  return unique;
}

/// `value` as printf's "%.17g" writes it.
std::string Number(double value) {
  char text[kNumberG17Size];
  return {text, WriteNumberG17(text, value)};
}

const char* BorderLineStyle(BorderStyle style, int& weight) {
  weight = 1;
  switch (style) {
    case BorderStyle::kNone:
      return nullptr;
    case BorderStyle::kThin:
      return "Continuous";
    case BorderStyle::kHair:
      weight = 0;
      return "Continuous";
    case BorderStyle::kMedium:
      weight = 2;
      return "Continuous";
    case BorderStyle::kThick:
      weight = 3;
      return "Continuous";
    case BorderStyle::kDashed:
      return "Dash";
    case BorderStyle::kMediumDashed:
      weight = 2;
      return "Dash";
    case BorderStyle::kDotted:
      return "Dot";
    case BorderStyle::kDouble:
      weight = 3;
      return "Double";
    case BorderStyle::kDashDot:
      return "DashDot";
    case BorderStyle::kMediumDashDot:
      weight = 2;
      return "DashDot";
    case BorderStyle::kDashDotDot:
      return "DashDotDot";
    case BorderStyle::kMediumDashDotDot:
      weight = 2;
      return "DashDotDot";
    case BorderStyle::kSlantDashDot:
      weight = 2;
      return "SlantDashDot";
  }
  return nullptr;
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out.append(" "sv).append(name).append("=\""sv);
  AppendEscaped(out, value, false);
  out.append("\""sv);
}

const char* HorizontalName(HorizontalAlignment alignment) {
  switch (alignment) {
    case HorizontalAlignment::kGeneral:
      return nullptr;
    case HorizontalAlignment::kLeft:
      return "Left";
    case HorizontalAlignment::kCenter:
      return "Center";
    case HorizontalAlignment::kRight:
      return "Right";
    case HorizontalAlignment::kFill:
      return "Fill";
    case HorizontalAlignment::kJustify:
      return "Justify";
    case HorizontalAlignment::kCenterContinuous:
      return "CenterAcrossSelection";
    case HorizontalAlignment::kDistributed:
      return "Distributed";
  }
  return nullptr;
}

const char* VerticalName(VerticalAlignment alignment) {
  switch (alignment) {
    case VerticalAlignment::kBottom:
      return nullptr;
    case VerticalAlignment::kTop:
      return "Top";
    case VerticalAlignment::kCenter:
      return "Center";
    case VerticalAlignment::kJustify:
      return "Justify";
    case VerticalAlignment::kDistributed:
      return "Distributed";
  }
  return nullptr;
}

/// Tells the cells that lie under a merged area without being its first cell; cells come in
/// row order.
class MergeCover {
 public:
  explicit MergeCover(const std::vector<CellRange>& merges) : merges_(merges) {
    std::sort(merges_.begin(), merges_.end(),
              [](const CellRange& a, const CellRange& b) { return a.first_row < b.first_row; });
  }

  bool Covered(const Cell& cell) {
    if (merges_.empty()) return false;
    while (next_merge_ < merges_.size() && merges_[next_merge_].first_row <= cell.row) {
      active_.push_back(merges_[next_merge_++]);
    }
    std::erase_if(active_, [&](const CellRange& merge) { return merge.last_row < cell.row; });
    for (const CellRange& merge : active_) {
      if (merge.Contains(cell.row, cell.column)) {
        return cell.row != merge.first_row || cell.column != merge.first_column;
      }
    }
    return false;
  }

 private:
  std::vector<CellRange> merges_;  // sorted by first row
  std::size_t next_merge_ = 0;
  std::vector<CellRange> active_;  // the merges reaching the current row
};

/// Collects the styles of the cells a worksheet writes.
class WrittenStyles : public SheetSink {
 public:
  WrittenStyles(const std::vector<CellRange>& merges, StyleSet& styles) : cover_(merges), styles_(styles) {}
  SinkControl OnCell(const Cell& cell) override {
    if (!cover_.Covered(cell)) styles_.Add(cell.style);
    return SinkControl::kContinue;
  }

 private:
  MergeCover cover_;
  StyleSet& styles_;
};

/// One worksheet read once: its layout, and its cells kept for writing.
struct ScannedWorksheet {
  ScannedWorksheet() : scan(&layout, CellKeeping::kAll) {}
  SheetLayout layout;
  SheetScan scan;
};

class DocumentBuilder {
 public:
  DocumentBuilder(WorkbookReader& reader, const numfmt::CellText& text, OutputStream& stream)
      : reader_(reader), workbook_(reader.workbook()), text_(text), stream_(stream), out_(stream.buffer()) {}

  void Build() {
    // The styles come before every sheet and only those the cells use are written, so each sheet
    // is read once before anything is written; its cells wait in their temporary file.
    const std::vector<std::size_t> positions = workbook_.WorksheetPositions();
    std::vector<std::unique_ptr<ScannedWorksheet>> sheets;
    StyleSet used;
    for (const std::size_t position : positions) {
      auto& sheet = sheets.emplace_back(std::make_unique<ScannedWorksheet>());
      reader_.ReadSheet(position, sheet->scan);
      sheet->layout.Finish();
      if (sheet->layout.merges().empty()) {
        used.Merge(sheet->layout.cell_styles());
      } else {
        WrittenStyles written(sheet->layout.merges(), used);
        sheet->scan.Replay(written);
      }
      sheet->scan.Settle();
    }
    out_.append(kHeader);
    AppendProperties(out_);
    AppendStyles(out_, used);
    std::set<std::string> taken;
    for (std::size_t i = 0; i < positions.size(); ++i) {
      AppendWorksheet(*sheets[i], positions[i], WorksheetName(workbook_.sheets[positions[i]].name, taken));
      sheets[i].reset();  // its temporary file goes now
      stream_.Drain();
    }
    out_.append("</Workbook>\n"sv);
  }

 private:
  void AppendProperties(std::string& out) const {
    out.append(" <DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\">\n"sv);
    if (!workbook_.title.empty()) {
      out.append("  <Title>"sv);
      AppendEscaped(out, workbook_.title);
      out.append("</Title>\n"sv);
    }
    if (!workbook_.author.empty()) {
      out.append("  <Author>"sv);
      AppendEscaped(out, workbook_.author);
      out.append("</Author>\n"sv);
    }
    out.append("  <Version>16.00</Version>\n </DocumentProperties>\n"sv);
    out.append(" <ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\">\n"sv);
    out.append("  <ActiveSheet>"sv).append(std::to_string(ActiveWorksheet())).append("</ActiveSheet>\n"sv);
    if (workbook_.date1904) out.append("  <Date1904/>\n"sv);
    out.append(" </ExcelWorkbook>\n"sv);
  }

  std::size_t ActiveWorksheet() const {
    const auto positions = workbook_.WorksheetPositions();
    for (std::size_t i = 0; i < positions.size(); ++i) {
      if (positions[i] == workbook_.active_sheet) return i;
    }
    return 0;
  }

  void AppendStyles(std::string& out, const StyleSet& used) const {
    out.append(
        " <Styles>\n  <Style ss:ID=\"Default\" ss:Name=\"Normal\">\n   <Alignment "
        "ss:Vertical=\"Bottom\"/>\n");
    if (!workbook_.fonts.empty()) AppendFont(out, workbook_.fonts[0]);
    out.append("  </Style>\n"sv);
    // A file may define far more formats than its cells use; only those in use are written.
    for (const std::uint32_t style : used.Members()) {
      if (style == 0 || style >= workbook_.cell_formats.size()) continue;
      const CellFormat& format = workbook_.cell_formats[style];
      out.append("  <Style ss:ID=\"s"sv).append(std::to_string(style)).append("\">\n"sv);
      AppendAlignment(out, format);
      if (format.border < workbook_.borders.size()) AppendBorders(out, workbook_.borders[format.border]);
      if (format.font < workbook_.fonts.size()) AppendFont(out, workbook_.fonts[format.font]);
      if (format.fill < workbook_.fills.size() && workbook_.fills[format.fill].color) {
        out.append("   <Interior"sv);
        AppendAttribute(out, "ss:Color", CssColor(*workbook_.fills[format.fill].color));
        out.append(" ss:Pattern=\"Solid\"/>\n"sv);
      }
      const std::string code = FormatCode(format.number_format_id);
      if (!code.empty() && code != "General") {
        out.append("   <NumberFormat"sv);
        AppendAttribute(out, "ss:Format", code);
        out.append("/>\n"sv);
      }
      out.append("  </Style>\n"sv);
      stream_.Drain();
    }
    out.append(" </Styles>\n"sv);
  }

  std::string FormatCode(std::uint32_t id) const {
    if (const auto custom = workbook_.number_formats.find(id); custom != workbook_.number_formats.end()) {
      return custom->second;
    }
    return std::string(numfmt::BuiltinFormatCode(id));
  }

  static void AppendAlignment(std::string& out, const CellFormat& format) {
    const char* horizontal = HorizontalName(format.horizontal);
    const char* vertical = VerticalName(format.vertical);
    if (horizontal == nullptr && vertical == nullptr && !format.wrap_text && format.indent == 0) return;
    out.append("   <Alignment"sv);
    if (horizontal != nullptr) AppendAttribute(out, "ss:Horizontal", horizontal);
    if (vertical != nullptr) AppendAttribute(out, "ss:Vertical", vertical);
    if (format.indent > 0) AppendAttribute(out, "ss:Indent", std::to_string(format.indent));
    if (format.wrap_text) out.append(" ss:WrapText=\"1\""sv);
    out.append("/>\n"sv);
  }

  static void AppendBorders(std::string& out, const Border& border) {
    const std::pair<const char*, const BorderEdge*> edges[] = {
        {"Bottom", &border.bottom}, {"Left", &border.left}, {"Right", &border.right}, {"Top", &border.top}};
    std::string inner;
    for (const auto& [position, edge] : edges) {
      int weight = 1;
      const char* line = BorderLineStyle(edge->style, weight);
      if (line == nullptr) continue;
      inner.append("    <Border"sv);
      AppendAttribute(inner, "ss:Position", position);
      AppendAttribute(inner, "ss:LineStyle", line);
      AppendAttribute(inner, "ss:Weight", std::to_string(weight));
      if (edge->color) AppendAttribute(inner, "ss:Color", CssColor(*edge->color));
      inner.append("/>\n"sv);
    }
    if (!inner.empty()) out.append("   <Borders>\n"sv).append(inner).append("   </Borders>\n"sv);
  }

  static void AppendFont(std::string& out, const Font& font) {
    out.append("   <Font"sv);
    AppendAttribute(out, "ss:FontName", font.name);
    if (font.size > 0) AppendAttribute(out, "ss:Size", Number(font.size));
    if (font.color) AppendAttribute(out, "ss:Color", CssColor(*font.color));
    if (font.bold) out.append(" ss:Bold=\"1\""sv);
    if (font.italic) out.append(" ss:Italic=\"1\""sv);
    if (font.underline) out.append(" ss:Underline=\"Single\""sv);
    if (font.strikeout) out.append(" ss:StrikeThrough=\"1\""sv);
    out.append("/>\n"sv);
  }

  // The sheet read already: its layout first, then its cells in row order from the cells kept.
  void AppendWorksheet(ScannedWorksheet& sheet, std::size_t position, const std::string& name) {
    const SheetLayout& layout = sheet.layout;
    out_.append(" <Worksheet"sv);
    AppendAttribute(out_, "ss:Name", name);
    out_.append(">\n  <Table"sv);
    char defaults[96];
    std::snprintf(defaults, sizeof defaults, " ss:DefaultColumnWidth=\"%.4g\" ss:DefaultRowHeight=\"%.4g\"",
                  ColumnWidthPixels(layout.default_column_width()) * 0.75, layout.default_row_height());
    out_.append(defaults).append(">\n"sv);
    AppendColumns(out_, layout);
    // Rows and cells gather in one PieceWriter, which goes to the output a few kilobytes at a time.
    PieceWriter piece(out_);
    RowWriter rows(*this, layout, piece);
    sheet.scan.Replay(rows);
    rows.Finish();
    piece.Flush();
    out_.append("  </Table>\n"sv);
    out_.append("  <WorksheetOptions xmlns=\"urn:schemas-microsoft-com:office:excel\">\n"sv);
    if (workbook_.sheets[position].hidden) out_.append("   <Visible>SheetHidden</Visible>\n"sv);
    out_.append("  </WorksheetOptions>\n </Worksheet>\n"sv);
  }

  // Writes rows and cells in order, with the rows that carry only a height or hidden state.
  class RowWriter : public SheetSink {
   public:
    RowWriter(DocumentBuilder& builder, const SheetLayout& layout, PieceWriter& piece)
        : builder_(builder), layout_(layout), piece_(piece), cover_(layout.merges()) {}

    SinkControl OnCell(const Cell& cell) override {
      // A merged area is one cell: the others under it are not written, as readers refuse
      // cells that overlap a merge.
      if (cover_.Covered(cell)) return SinkControl::kContinue;
      if (!open_ || cell.row != row_) {
        CloseRow();
        OpenRow(cell.row);
      }
      builder_.AppendCell(piece_, layout_, cell, last_column_);
      last_column_ = cell.column;
      return SinkControl::kContinue;
    }

    void Finish() {
      CloseRow();
      while (next_info_ < layout_.rows().size()) OpenAndCloseInfoRow();
    }

   private:
    void OpenRow(std::uint32_t row) {
      while (next_info_ < layout_.rows().size() && layout_.rows()[next_info_].row < row)
        OpenAndCloseInfoRow();
      const RowInfo* info = nullptr;
      while (next_info_ < layout_.rows().size() && layout_.rows()[next_info_].row == row) {
        info = &layout_.rows()[next_info_++];
      }
      StartRow(row, info);
      open_ = true;
      last_column_ = -1;
    }

    void OpenAndCloseInfoRow() {
      const RowInfo* info = &layout_.rows()[next_info_++];
      while (next_info_ < layout_.rows().size() && layout_.rows()[next_info_].row == info->row) {
        info = &layout_.rows()[next_info_++];
      }
      if (info->height <= 0 && !info->hidden) return;  // nothing a row element could show
      StartRow(info->row, info);
      piece_.Put("   </Row>\n"sv);
    }

    void StartRow(std::uint32_t row, const RowInfo* info) {
      piece_.Put("   <Row"sv);
      if (row != last_written_ + 1)
        piece_.Put(" ss:Index=\""sv).PutDecimal(std::uint64_t{row} + 1).Put("\""sv);
      if (info != nullptr && info->height > 0) {
        piece_.Put(" ss:AutoFitHeight=\"0\" ss:Height=\""sv).PutNumberG17(info->height).Put("\""sv);
      }
      if (info != nullptr && info->hidden) piece_.Put(" ss:Hidden=\"1\""sv);
      piece_.Put(">\n"sv);
      row_ = row;
      last_written_ = row;
    }

    void CloseRow() {
      if (!open_) return;
      piece_.Put("   </Row>\n"sv);
      open_ = false;
    }

    DocumentBuilder& builder_;
    const SheetLayout& layout_;
    PieceWriter& piece_;
    MergeCover cover_;
    std::size_t next_info_ = 0;
    std::int64_t last_written_ = -1;
    std::uint32_t row_ = 0;
    bool open_ = false;
    std::int64_t last_column_ = -1;
  };

  static void AppendColumns(std::string& out, const SheetLayout& sheet) {
    std::vector<ColumnInfo> columns = sheet.columns();
    std::sort(columns.begin(), columns.end(),
              [](const ColumnInfo& a, const ColumnInfo& b) { return a.first_column < b.first_column; });
    std::uint32_t next = 0;  // columns before this one are written
    for (const ColumnInfo& info : columns) {
      if (info.last_column < next || info.first_column >= 16384) continue;
      const std::uint32_t first = std::max(info.first_column, next);
      const std::uint32_t last = std::min<std::uint32_t>(info.last_column, 16383);
      out.append("   <Column ss:Index=\""sv).append(std::to_string(first + 1)).append("\""sv);
      if (last > first) out.append(" ss:Span=\""sv).append(std::to_string(last - first)).append("\""sv);
      // Widths in points: pixels at 96 dots per inch.
      const double width = info.width > 0 ? info.width : sheet.default_column_width();
      out.append(" ss:AutoFitWidth=\"0\" ss:Width=\""sv)
          .append(Number(ColumnWidthPixels(width) * 0.75))
          .append("\""sv);
      if (info.hidden) out.append(" ss:Hidden=\"1\""sv);
      out.append("/>\n"sv);
      next = last + 1;
    }
  }

  // One cell's markup. Its short parts gather in a PieceWriter, so a number cell costs one
  // append to the output; text and formulas, which need escaping, go to the output directly.
  void AppendCell(PieceWriter& piece, const SheetLayout& sheet, const Cell& cell, std::int64_t last_column) {
    piece.Put("    <Cell"sv);
    if (cell.column != last_column + 1) piece.Put(" ss:Index=\""sv).PutDecimal(cell.column + 1).Put("\""sv);
    if (cell.style != 0 && cell.style < workbook_.cell_formats.size()) {
      piece.Put(" ss:StyleID=\"s"sv).PutDecimal(cell.style).Put("\""sv);
    }
    for (const CellRange& merge : sheet.merges()) {
      if (merge.first_row != cell.row || merge.first_column != cell.column) continue;
      if (merge.last_column > merge.first_column)
        piece.Put(" ss:MergeAcross=\""sv).PutDecimal(merge.last_column - merge.first_column).Put("\""sv);
      if (merge.last_row > merge.first_row)
        piece.Put(" ss:MergeDown=\""sv).PutDecimal(merge.last_row - merge.first_row).Put("\""sv);
      break;
    }
    if (!cell.formula.empty()) {
      formula_.clear();
      AppendFormulaR1C1(formula_, cell.formula, cell.row, cell.column);
      piece.Put(" ss:Formula=\""sv);
      AppendText(piece, formula_, false);
      piece.Put("\""sv);
    }
    piece.Put(">"sv);
    AppendData(piece, cell);
    piece.Put("</Cell>\n"sv);
    stream_.Drain();
  }

  void AppendData(PieceWriter& piece, const Cell& cell) const {
    switch (cell.value.kind) {
      case CellKind::kEmpty:
        return;
      case CellKind::kNumber:
        if (text_.FormatOf(cell.style).IsDateTime() && cell.value.number >= 0 &&
            cell.value.number < 2958466 && AppendDateTime(piece, cell.value.number)) {
          return;
        }
        piece.Put("<Data ss:Type=\"Number\">"sv).PutNumberG17(cell.value.number).Put("</Data>"sv);
        return;
      case CellKind::kBoolean:
        piece.Put(cell.value.number != 0 ? "<Data ss:Type=\"Boolean\">1</Data>"sv
                                         : "<Data ss:Type=\"Boolean\">0</Data>"sv);
        return;
      case CellKind::kError:
        piece.Put("<Data ss:Type=\"Error\">"sv);
        AppendText(piece, cell.value.text);
        piece.Put("</Data>"sv);
        return;
      case CellKind::kString:
        piece.Put("<Data ss:Type=\"String\">"sv);
        AppendText(piece, cell.value.text);
        piece.Put("</Data>"sv);
        return;
    }
  }

  // Text escaped: most needs none and goes with the cell's other parts, the rest is escaped
  // straight into the output.
  void AppendText(PieceWriter& piece, std::string_view text, bool keep_line_breaks = true) const {
    if (PlainRun(text) == text.size()) {
      piece.Put(text);
      return;
    }
    piece.Flush();
    AppendEscaped(out_, text, keep_line_breaks);
  }

  // Puts "<Data ss:Type="DateTime">yyyy-mm-ddThh:mm:ss.000</Data>" for a serial date in the
  // workbook's date system; false, putting nothing, for a day that does not exist. Serials
  // before 1 March 1900 in the 1900 system count the day Excel wrongly believes 29 February
  // 1900 was.
  bool AppendDateTime(PieceWriter& piece, double serial) const {
    const std::int64_t milliseconds = std::llround(serial * 86400000.0);
    const auto in_day = static_cast<std::uint64_t>(milliseconds % 86400000);
    const std::optional<CivilDate> date = DateOfSerialDay(milliseconds / 86400000, workbook_.date1904);
    if (!date) return false;  // 29 February 1900 does not exist
    // The fields as "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.%03lld" writes them.
    piece.Put("<Data ss:Type=\"DateTime\">"sv);
    piece.PutDigits(static_cast<std::uint64_t>(date->year), 4).Put("-"sv);
    piece.PutDigits(static_cast<std::uint64_t>(date->month), 2).Put("-"sv);
    piece.PutDigits(static_cast<std::uint64_t>(date->day), 2).Put("T"sv);
    piece.PutDigits(in_day / 3600000, 2).Put(":"sv);
    piece.PutDigits(in_day / 60000 % 60, 2).Put(":"sv);
    piece.PutDigits(in_day / 1000 % 60, 2).Put("."sv);
    piece.PutDigits(in_day % 1000, 3).Put("</Data>"sv);
    return true;
  }

  WorkbookReader& reader_;
  const Workbook& workbook_;
  const numfmt::CellText& text_;
  OutputStream& stream_;
  std::string& out_;     // the stream's buffer, drained as it grows
  std::string formula_;  // the cell's formula in R1C1 form, kept to reuse its memory
};

}  // namespace

void WriteXmlSpreadsheet(WorkbookReader& reader, const numfmt::CellText& text, OutputStream& out) {
  DocumentBuilder(reader, text, out).Build();
}

void SaveXmlSpreadsheet(WorkbookReader& reader, const numfmt::CellText& text, const std::string& path) {
  OutputFile out(path);
  WriteXmlSpreadsheet(reader, text, out);
  out.Commit();
}

}  // namespace quorvex::sheet
