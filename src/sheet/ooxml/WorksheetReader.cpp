// Streams a worksheet part (<sheetData> rows and cells) into a SheetSink.
#include "sheet/ooxml/WorksheetReader.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include "sheet/container/XmlCharacters.h"
#include "sheet/ooxml/CellReference.h"
#include "sheet/ooxml/IsoDate.h"
#include "sheet/ooxml/NumberText.h"
#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {
namespace {

using Event = container::XmlPullParser::Event;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && container::xml::IsXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && container::xml::IsXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string Shown(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown = "'";
  shown.append(text.substr(0, kShown));
  shown.append(text.size() > kShown ? "...'" : "'");
  return shown;
}

bool IsTrue(std::string_view value) {
  return value == "1" || value == "true";
}

template <typename Integer>
std::optional<Integer> ParseInteger(std::string_view text) {
  Integer value{};
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

WorksheetReader::WorksheetReader(container::XmlPullParser& parser, const SharedStrings* shared_strings,
                                 bool date1904, SheetSink& sink)
    : parser_(parser), shared_strings_(shared_strings), date1904_(date1904), sink_(sink) {}

bool WorksheetReader::Read() {
  while (!stopped_) {
    switch (parser_.Next()) {
      case Event::kStartElement:
        OnStart();
        break;
      case Event::kText:  // the text of <v>, <f> and <t> is read with their start
        break;
      case Event::kEndElement:
        OnEnd();
        break;
      case Event::kEndOfDocument:
        Flush();
        return !stopped_;
    }
  }
  return false;
}

std::string WorksheetReader::CellName() const {
  return FormatCellReference(cell_.row, cell_.column);
}

void WorksheetReader::FailCell(const std::string& problem) const {
  parser_.Fail(SheetErrorCode::kCorrupt, "the cell " + CellName() + " " + problem);
}

void WorksheetReader::OnStart() {
  const std::string_view name = parser_.local_name();
  if (!in_sheet_data_) {
    if (name == "sheetData") {
      in_sheet_data_ = true;
    } else if (name == "dimension") {
      ReadDimension();
    } else if (name == "col") {
      ReadColumn();
    } else if (name == "sheetFormatPr") {
      ReadDefaultSizes();
    } else if (name == "mergeCell") {
      ReadMerge();
    }
    return;
  }
  if (name.size() == 1) {
    switch (name[0]) {
      case 'c':
        BeginCell();
        return;
      case 'v':
        if (in_cell_) {
          has_value_ = true;
          value_.assign(parser_.ReadElementText());
        }
        return;
      case 'f':
        // Formulas are not evaluated (the cached <v> is the value); their text is kept.
        if (in_cell_) formula_.assign(parser_.ReadElementText());
        return;
      case 't':
        if (in_inline_string_) {
          const std::size_t run_start = value_.size();
          value_.append(parser_.ReadElementText());
          value_.resize(run_start +
                        DecodeXstringInPlace(value_.data() + run_start, value_.size() - run_start));
        }
        return;
      default:
        return;
    }
  }
  if (name == "row") {
    BeginRow();
  } else if (name == "is") {
    if (in_cell_) {
      in_inline_string_ = true;
      has_value_ = true;
      value_.clear();
    }
  } else if (name == "rPh") {
    parser_.SkipElement();  // phonetic guide text is not part of the value
  }
}

void WorksheetReader::OnEnd() {
  if (!in_sheet_data_) return;
  const std::string_view name = parser_.local_name();
  if (name.size() == 1) {
    switch (name[0]) {
      case 'c':
        if (in_cell_) EmitCell();
        return;
      default:
        return;
    }
  }
  if (name == "is") {
    in_inline_string_ = false;
  } else if (name == "sheetData") {
    Flush();
    in_sheet_data_ = false;  // the rest is read too, so the part's XML and CRC are checked
  }
}

void WorksheetReader::ReadDimension() {
  // A dimension that does not parse is only a hint lost, not damage.
  if (const auto* ref = parser_.FindAttribute("ref")) {
    if (const auto range = ParseRangeReference(ref->value)) sink_.OnDimension(*range);
  }
}

void WorksheetReader::ReadColumn() {
  // <col min max width style hidden>, 1-based and inclusive (ECMA-376-1 §18.3.1.13).
  const auto* min = parser_.FindAttribute("min");
  const auto* max = parser_.FindAttribute("max");
  if (min == nullptr || max == nullptr) return;
  const auto first = ParseInteger<std::uint32_t>(min->value);
  const auto last = ParseInteger<std::uint32_t>(max->value);
  if (!first || !last || *first == 0 || *last < *first || *first > kMaxColumns) return;
  ColumnInfo info;
  info.first_column = *first - 1;
  info.last_column = std::min(*last, kMaxColumns) - 1;
  info.to_sheet_end = *last >= kMaxColumns;
  if (const auto* width = parser_.FindAttribute("width")) {
    double value = 0;
    const auto result =
        std::from_chars(width->value.data(), width->value.data() + width->value.size(), value);
    if (result.ec == std::errc() && value >= 0 && value <= 255) info.width = value;
  }
  if (const auto* hidden = parser_.FindAttribute("hidden")) info.hidden = IsTrue(hidden->value);
  if (const auto* style = parser_.FindAttribute("style"))
    info.style = ParseInteger<std::uint32_t>(style->value).value_or(0);
  info.styled = info.style != 0;
  sink_.OnColumnInfo(info);
}

std::optional<double> WorksheetReader::NumberAttribute(std::string_view name) const {
  const auto* attribute = parser_.FindAttribute(name);
  if (attribute == nullptr) return std::nullopt;
  double value = 0;
  const std::string_view text = Trim(attribute->value);
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool WorksheetReader::FlagAttribute(std::string_view name) const {
  const auto* attribute = parser_.FindAttribute(name);
  return attribute != nullptr && IsTrue(attribute->value);
}

void WorksheetReader::ReadDefaultSizes() {
  // <sheetFormatPr> (ECMA-376-1 §18.3.1.81).
  const auto size = [&](std::string_view name) {
    const std::optional<double> value = NumberAttribute(name);
    return value && *value > 0 && *value < 1000 ? *value : 0.0;
  };
  SheetDefaults defaults;
  defaults.column_width = size("defaultColWidth");
  // Without an explicit width, a column is baseColWidth characters plus the cell padding.
  if (defaults.column_width == 0) {
    if (const double base = size("baseColWidth"); base > 0) defaults.column_width = base + 5.0 / 7.0;
  }
  defaults.zero_column_width = NumberAttribute("defaultColWidth") == 0.0;
  defaults.row_height = size("defaultRowHeight");
  defaults.zero_height = FlagAttribute("zeroHeight");
  defaults.thick_top = FlagAttribute("thickTop");
  defaults.thick_bottom = FlagAttribute("thickBottom");
  sink_.OnSheetDefaults(defaults);
}

void WorksheetReader::ReadMerge() {
  if (const auto* ref = parser_.FindAttribute("ref")) {
    if (const auto range = ParseRangeReference(ref->value)) sink_.OnMergedRange(*range);
  }
}

void WorksheetReader::ReadRowInfo() {
  // <row ht hidden customHeight outlineLevel collapsed thickTop thickBot customFormat s>
  // (ECMA-376-1 §18.3.1.73). A row with none of them has nothing to report.
  const auto attributes = parser_.attributes();
  if (attributes.empty() || (attributes.size() == 1 && attributes[0].local_name == "r")) {
    return;  // the usual <row r="..."> of a large sheet, cheaply
  }
  RowInfo info;
  info.row = row_;
  if (const std::optional<double> height = NumberAttribute("ht");
      height && *height >= 0 && *height <= 409.5) {
    info.height = *height;
  }
  info.hidden = FlagAttribute("hidden");
  info.custom_height = FlagAttribute("customHeight");
  if (const std::optional<double> level = NumberAttribute("outlineLevel");
      level && *level >= 1 && *level <= 7) {
    info.outline_level = static_cast<std::uint8_t>(*level);
  }
  info.collapsed = FlagAttribute("collapsed");
  info.thick_top = FlagAttribute("thickTop");
  info.thick_bottom = FlagAttribute("thickBot");
  if (FlagAttribute("customFormat")) {
    const auto* style = parser_.FindAttribute("s");
    info.style = style != nullptr ? ParseInteger<std::uint32_t>(style->value).value_or(0) : 0;
    info.styled = *info.style != 0;
  }
  if (info.height > 0 || info.hidden || info.custom_height || info.outline_level > 0 || info.collapsed ||
      info.thick_top || info.thick_bottom || info.style) {
    sink_.OnRowInfo(info);
  }
}

void WorksheetReader::BeginRow() {
  // A row without a number (or with an empty one) follows the row before it.
  const auto* r = parser_.FindAttribute("r");
  if (r != nullptr && !r->value.empty()) {
    const auto row = ParseRowNumber(r->value);
    if (!row) {
      parser_.Fail(SheetErrorCode::kCorrupt, "the row number " + Shown(r->value) + " is not valid");
    }
    row_ = *row;
  } else if (row_seen_) {
    if (row_ + 1 >= kMaxRows) {
      parser_.Fail(SheetErrorCode::kCorrupt, "there are more rows than a sheet can hold");
    }
    ++row_;
  }
  row_seen_ = true;
  next_column_ = 0;
  ReadRowInfo();
}

void WorksheetReader::BeginCell() {
  in_cell_ = true;
  has_value_ = false;
  in_inline_string_ = false;
  formula_.clear();
  type_ = CellType::kNumber;
  cell_.style = 0;
  bool positioned = false;
  for (const auto& attribute : parser_.attributes()) {
    if (attribute.local_name.size() != 1) continue;
    const std::string_view value = attribute.value;
    switch (attribute.local_name[0]) {
      case 'r': {
        if (value.empty()) break;  // placed by order, as without the attribute
        const auto position = ParseCellReference(value);
        if (!position) {
          parser_.Fail(SheetErrorCode::kCorrupt, "the cell reference " + Shown(value) + " is not valid");
        }
        cell_.row = position->row;
        cell_.column = position->column;
        positioned = true;
        break;
      }
      case 's': {
        if (value.empty()) break;  // the default style
        const auto style = ParseInteger<std::uint32_t>(value);
        if (!style) {
          parser_.Fail(SheetErrorCode::kCorrupt, "the cell style " + Shown(value) + " is not valid");
        }
        cell_.style = *style;
        break;
      }
      case 't':
        if (value == "s") {
          type_ = CellType::kSharedString;
        } else if (value == "n" || value.empty()) {
          type_ = CellType::kNumber;
        } else if (value == "str") {
          type_ = CellType::kFormulaString;
        } else if (value == "inlineStr") {
          type_ = CellType::kInlineString;
        } else if (value == "b") {
          type_ = CellType::kBoolean;
        } else if (value == "e") {
          type_ = CellType::kError;
        } else if (value == "d") {
          type_ = CellType::kDate;
        } else {
          parser_.Fail(SheetErrorCode::kCorrupt, "the cell type " + Shown(value) + " is not valid");
        }
        break;
      default:
        break;
    }
  }
  if (!positioned) {
    if (next_column_ >= kMaxColumns) {
      parser_.Fail(SheetErrorCode::kCorrupt, "a row holds more cells than a sheet has columns");
    }
    cell_.row = row_;
    cell_.column = next_column_;
  }
  next_column_ = cell_.column + 1;
}

void WorksheetReader::EmitCell() {
  in_cell_ = false;
  in_inline_string_ = false;
  if (!has_value_) {
    cell_.value = CellValue{};
    Enqueue(kNotShared);
    return;
  }
  switch (type_) {
    case CellType::kNumber:
      cell_.value = NumberValue();
      Enqueue(kNotShared);
      return;
    case CellType::kSharedString:
      // <v/> in a shared-string cell is the empty text.
      if (Trim(value_).empty()) {
        cell_.value = CellValue::String({});
        Enqueue(kNotShared);
        return;
      }
      Enqueue(SharedStringIndex());
      return;
    case CellType::kBoolean:
      cell_.value = BooleanValue();
      Enqueue(kNotShared);
      return;
    case CellType::kDate: {
      const auto serial = ParseIsoDateTime(Trim(value_), date1904_);
      if (!serial) FailCell("holds " + Shown(value_) + ", which is not an ISO 8601 date");
      cell_.value = CellValue::Number(*serial);
      Enqueue(kNotShared);
      return;
    }
    case CellType::kInlineString:
      cell_.value = CellValue::String(value_);
      break;
    case CellType::kFormulaString:
      value_.resize(DecodeXstringInPlace(value_.data(), value_.size()));
      cell_.value = CellValue::String(value_);
      break;
    case CellType::kError:
      cell_.value = CellValue::Error(Trim(value_));
      break;
  }
  // The text lives in value_, which the next cell overwrites: report it now, in order.
  Flush();
  if (stopped_) return;
  cell_.formula = formula_;
  if (sink_.OnCell(cell_) == SinkControl::kStop) stopped_ = true;
  cell_.formula = {};
}

void WorksheetReader::Enqueue(std::uint32_t shared_index) {
  if (pending_count_ == kLookahead) EmitOldest();
  if (stopped_) return;
  PendingCell& slot = pending_[(pending_first_ + pending_count_) % kLookahead];
  slot.cell = cell_;
  slot.shared_index = shared_index;
  // The formula text is copied into the slot (reusing its storage), as formula_ belongs to the
  // next cell by the time this one is reported.
  if (formula_.empty())
    slot.formula.clear();
  else
    slot.formula.assign(formula_);
  ++pending_count_;
  // Two stages: the offsets when a cell arrives, its characters half a queue later, so both are
  // in the cache when the sink reads the string.
  if (shared_index != kNotShared) shared_strings_->PrefetchOffsets(shared_index);
  if (pending_count_ > kLookahead / 2) {
    const PendingCell& middle = pending_[(pending_first_ + pending_count_ - 1 - kLookahead / 2) % kLookahead];
    if (middle.shared_index != kNotShared) shared_strings_->PrefetchText(middle.shared_index);
  }
}

void WorksheetReader::EmitOldest() {
  PendingCell& oldest = pending_[pending_first_];
  if (oldest.shared_index != kNotShared) {
    oldest.cell.value = CellValue::String((*shared_strings_)[oldest.shared_index]);
  }
  oldest.cell.formula = oldest.formula;
  pending_first_ = (pending_first_ + 1) % kLookahead;
  --pending_count_;
  if (sink_.OnCell(oldest.cell) == SinkControl::kStop) stopped_ = true;
}

void WorksheetReader::Flush() {
  while (pending_count_ > 0 && !stopped_) EmitOldest();
}

CellValue WorksheetReader::NumberValue() {
  const std::string_view text = Trim(value_);
  if (text.empty()) return CellValue{};
  const std::optional<double> number = ParseNumberText(text);
  if (!number) FailCell("holds " + Shown(value_) + ", which is not a number");
  return CellValue::Number(*number);
}

std::uint32_t WorksheetReader::SharedStringIndex() {
  const auto index = ParseInteger<std::uint64_t>(Trim(value_));
  if (!index) FailCell("holds " + Shown(value_) + ", which is not a shared string index");
  const std::size_t count = shared_strings_ != nullptr ? shared_strings_->size() : 0;
  if (*index >= count) {
    FailCell("refers to shared string " + std::to_string(*index) + ", but the workbook has " +
             (count == 0 ? std::string("none") : "only " + std::to_string(count)));
  }
  return static_cast<std::uint32_t>(*index);
}

CellValue WorksheetReader::BooleanValue() {
  const std::string_view text = Trim(value_);
  if (text == "1" || text == "true") return CellValue::Boolean(true);
  if (text == "0" || text == "false") return CellValue::Boolean(false);
  FailCell("holds " + Shown(value_) + ", which is not a boolean");
}

}  // namespace quorvex::sheet::ooxml
