// Collects the fonts, number formats and XF records of BIFF2-4 substreams into the workbook.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "sheet/biff/BiffRecordReader.h"
#include "sheet/biff/CodePage.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet::biff4 {

/// Where one sheet's style indexes land in the workbook's cell formats.
struct SheetStyles {
  std::uint32_t xf_base = 0;
  std::uint32_t xf_count = 0;        // 0: the cells carry their number format in their attributes
  std::uint32_t attribute_base = 0;  // one cell format per FORMAT index, for such cells

  /// The cell format of XF index `xf` (0, the default, for an index the sheet lacks).
  std::uint32_t ForXf(std::uint32_t xf) const { return xf < xf_count ? xf_base + xf : 0; }
  /// The cell format of a BIFF2 cell whose attributes name FORMAT index `format` (0-63).
  std::uint32_t ForFormat(std::uint32_t format) const { return attribute_base + (format & 0x3F); }
};

/// BIFF2-4 keep formatting per substream: each sheet of a BIFF4 workbook has its own fonts,
/// formats (numbered by their order) and XFs, falling back to the workbook globals' when it has
/// none. The collector appends each substream's to the one workbook table and remembers where.
class StyleCollector {
 public:
  /// `workbook` and `code_page` must outlive the collector; the code page may change meanwhile.
  StyleCollector(Workbook& workbook, const biff::CodePage* const& code_page);

  /// Starts the records of a new substream.
  void BeginSubstream();
  /// Takes a FONT, FORMAT or XF record of the current substream; false for any other record.
  /// Throws SheetError (through `records`) for one too short, kTooLarge for too many.
  bool Take(biff::BiffRecordReader& records);
  /// Ends the current substream and tells where its cells' styles are. `globals`: it held a
  /// BIFF4 workbook's globals, whose formatting later sheets without their own fall back on.
  SheetStyles EndSubstream(bool globals);

 private:
  struct XfReference {
    std::uint8_t format = 0;  // FORMAT index
    std::uint8_t font = 0;    // FONT index
  };

  struct Scope {
    std::vector<std::uint32_t> format_ids;  // workbook number format id of each FORMAT, in order
    std::uint32_t font_base = 0;
    std::uint32_t font_count = 0;
    std::uint32_t xf_base = 0;
    std::uint32_t xf_count = 0;
    std::vector<XfReference> xf_references;  // resolved when the substream ends
  };

  SheetStyles Resolve(Scope& scope, const Scope& fallback);
  void ReadFont(biff::BiffRecordReader& records);
  void ReadFormat(biff::BiffRecordReader& records);
  void ReadXf(biff::BiffRecordReader& records);
  std::uint32_t FormatId(const Scope& scope, std::uint32_t index) const;

  Workbook& workbook_;
  const biff::CodePage* const& code_page_;
  Scope scope_;
  Scope globals_scope_;  // empty unless the stream has BIFF4 workbook globals
  SheetStyles globals_styles_;
  std::uint32_t next_format_id_;
};

}  // namespace quorvex::sheet::biff4
