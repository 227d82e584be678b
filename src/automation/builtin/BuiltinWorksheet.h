// A worksheet of a workbook opened by the built-in engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "automation/Application.h"
#include "automation/builtin/CellAddress.h"
#include "sheet/model/CellRange.h"

namespace quorvex::automation {

class BuiltinWorkbook;

class BuiltinWorksheet : public Worksheet {
 public:
  BuiltinWorksheet(BuiltinWorkbook& workbook, std::size_t position);

  std::string Name() override;
  void Activate() override;
  int UsedRangeRowsCount() override;
  int UsedRangeColumnsCount() override;
  std::string UsedRangeCellAddress(int row, int column) override;
  Variant Cells(int row, int column) override;
  void ColumnsAutoFit() override;
  void RangeSelect(const std::string& first, const std::string& last) override;
  void SaveAs(const std::string& file_name, int file_format) override;

  bool columns_auto_fitted() const { return columns_auto_fitted_; }
  /// Column widths in characters set by ColumnsAutoFit, by 0-based column: the most characters
  /// any line of the column's displayed cell texts has. Columns without text are absent.
  const std::map<std::uint32_t, int>& column_widths() const { return column_widths_; }
  const std::optional<sheet::CellRange>& selection() const { return selection_; }

 private:
  /// The used range by the records of the sheet (not its stored dimension); an empty sheet's is
  /// the single cell A1, as in the application.
  const sheet::CellRange& UsedRange();

  BuiltinWorkbook& workbook_;
  std::size_t position_;
  std::optional<sheet::CellRange> used_range_;
  bool in_row_order_ = false;  // known once the used range is: the cells came in row order
  std::optional<sheet::CellRange> selection_;
  bool columns_auto_fitted_ = false;
  std::map<std::uint32_t, int> column_widths_;
};

}  // namespace quorvex::automation
