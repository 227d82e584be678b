// What a reader knows about a workbook once it is open: its sheets, date system and cell formats.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheet/model/CellStyle.h"

namespace quorvex::sheet {

enum class SheetKind : std::uint8_t { kWorksheet, kChart, kDialog, kMacro };

struct SheetInfo {
  std::string name;
  SheetKind kind = SheetKind::kWorksheet;
  std::string location;  // where the reader finds the sheet's cells (a part name, a stream offset)
  bool hidden = false;
  bool very_hidden = false;  // hidden so that only a macro can show it again (`hidden` is set too)
};

/// A cell format (an "XF"): what a cell's style index refers to.
struct CellFormat {
  std::uint32_t number_format_id = 0;
  std::uint32_t font = 0;    // index into Workbook::fonts
  std::uint32_t fill = 0;    // index into Workbook::fills
  std::uint32_t border = 0;  // index into Workbook::borders
  HorizontalAlignment horizontal = HorizontalAlignment::kGeneral;
  VerticalAlignment vertical = VerticalAlignment::kBottom;
  bool wrap_text = false;
  std::uint8_t indent = 0;
};

struct Workbook {
  std::vector<SheetInfo> sheets;  // every sheet, in workbook order
  bool date1904 = false;
  std::vector<CellFormat> cell_formats;                           // indexed by a cell's style
  std::unordered_map<std::uint32_t, std::string> number_formats;  // format codes the file defines, by id
  std::vector<Font> fonts;                                        // fonts[0] is the workbook's default font
  std::vector<Fill> fills;
  std::vector<Border> borders;
  std::size_t active_sheet = 0;  // position in `sheets` of the sheet shown when the file opens

  /// Document properties, where the file records them.
  std::string title;
  std::string author;

  /// Positions in `sheets` of the worksheets, in workbook order.
  std::vector<std::size_t> WorksheetPositions() const {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      if (sheets[i].kind == SheetKind::kWorksheet) positions.push_back(i);
    }
    return positions;
  }
};

}  // namespace quorvex::sheet
