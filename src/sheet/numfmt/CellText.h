// The text a spreadsheet application shows for a cell: the one place every writer asks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sheet/model/CellValue.h"
#include "sheet/model/Workbook.h"
#include "sheet/numfmt/NumberFormat.h"

namespace quorvex::sheet::numfmt {

/// Renders cells of one workbook, parsing each cell format's number format once.
class CellText {
 public:
  explicit CellText(const Workbook& workbook);

  /// Appends the displayed text of `value` in style `style` to `out`.
  void Append(const CellValue& value, std::uint32_t style, std::string& out) const;
  std::string Render(const CellValue& value, std::uint32_t style) const;

  /// The number format of a style (General for unknown styles).
  const NumberFormat& FormatOf(std::uint32_t style) const;

 private:
  bool date1904_;
  std::vector<std::shared_ptr<const NumberFormat>> by_style_;
};

}  // namespace quorvex::sheet::numfmt
