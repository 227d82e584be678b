// Streams one worksheet part's cells into a SheetSink, never holding the part in memory.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/container/XmlPullParser.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/ooxml/SharedStrings.h"

namespace quorvex::sheet::ooxml {

class WorksheetReader {
 public:
  /// `shared_strings` may be null when the workbook has none. All references must outlive Read().
  WorksheetReader(container::XmlPullParser& parser, const SharedStrings* shared_strings, bool date1904,
                  SheetSink& sink);

  /// Reports <dimension>, <sheetFormatPr> and <cols>, then every <row> with attributes beyond its
  /// number and every <c> of <sheetData> in document order (with its <f> text), then <mergeCells>.
  /// Rows and cells without a reference follow the one before them; empty attributes read as
  /// absent. Returns false when the sink stopped the reading. Throws SheetError kCorrupt naming
  /// the cell for bad values, references beyond the sheet limits, and shared string indexes out
  /// of range.
  bool Read();

 private:
  enum class CellType : std::uint8_t {
    kNumber,
    kSharedString,
    kFormulaString,
    kInlineString,
    kBoolean,
    kError,
    kDate
  };

  void OnStart();
  void OnEnd();
  void ReadDimension();
  void ReadColumn();
  void ReadDefaultSizes();
  std::optional<double> NumberAttribute(std::string_view name) const;
  bool FlagAttribute(std::string_view name) const;
  void ReadMerge();
  void ReadRowInfo();
  void BeginRow();
  void BeginCell();
  void EmitCell();
  void Enqueue(std::uint32_t shared_index);
  void EmitOldest();
  void Flush();
  CellValue NumberValue();
  std::uint32_t SharedStringIndex();
  CellValue BooleanValue();
  std::string CellName() const;
  [[noreturn]] void FailCell(const std::string& problem) const;

  container::XmlPullParser& parser_;
  const SharedStrings* shared_strings_;
  bool date1904_;
  SheetSink& sink_;

  bool stopped_ = false;  // the sink answered kStop
  bool in_sheet_data_ = false;
  bool row_seen_ = false;
  std::uint32_t row_ = 0;          // current row, 0-based
  std::uint32_t next_column_ = 0;  // column of a following cell without a reference

  bool in_cell_ = false;
  bool in_inline_string_ = false;
  bool has_value_ = false;  // a <v> or <is> was seen
  CellType type_ = CellType::kNumber;
  Cell cell_;
  std::string value_;    // raw text of <v>, or the joined runs of <is>
  std::string formula_;  // the cell's formula text; empty for most cells

  // Scattered shared-string indexes miss the cache. Cells whose value needs no text of this reader
  // wait in a short queue, so a lookup's memory is prefetched while the next cells are parsed.
  static constexpr std::uint32_t kNotShared = ~std::uint32_t{0};
  struct PendingCell {
    Cell cell;
    std::uint32_t shared_index = kNotShared;
    std::string formula;  // the cell's formula text, empty for most cells
  };
  static constexpr std::size_t kLookahead = 8;
  std::array<PendingCell, kLookahead> pending_;
  std::size_t pending_first_ = 0;
  std::size_t pending_count_ = 0;
};

}  // namespace quorvex::sheet::ooxml
