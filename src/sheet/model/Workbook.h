// What a reader knows about a workbook once it is open: its sheets, date system and cell formats.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvex::sheet {

enum class SheetKind : std::uint8_t { kWorksheet, kChart, kDialog, kMacro };

struct SheetInfo {
  std::string name;
  SheetKind kind = SheetKind::kWorksheet;
  std::string location;  // where the reader finds the sheet's cells (a part name, a stream offset)
};

/// A cell format (an "XF"): what a cell's style index refers to.
struct CellFormat {
  std::uint32_t number_format_id = 0;
};

struct Workbook {
  std::vector<SheetInfo> sheets;  // every sheet, in workbook order
  bool date1904 = false;
  std::vector<CellFormat> cell_formats;                        // indexed by a cell's style
  std::unordered_map<std::uint32_t, std::string> number_formats;  // format codes the file defines, by id

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
