// A worksheet of a workbook opened by the built-in engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/Application.h"
#include "automation/builtin/CellAddress.h"
#include "sheet/model/CellRange.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/writers/DbfEarlyTableScanner.h"

namespace quorvex::automation {

class BuiltinWorkbook;

/// What the reading that found a worksheet's used range leaves for the save that follows it.
struct KeptReading {
  std::unique_ptr<sheet::SheetScan> cells;  // every cell, so that the save need not read the sheet again
  /// The first pass of a dBASE save, made while the cells were read; its early sink.
  std::unique_ptr<sheet::DbfEarlyTableScanner> dbf_first_pass;
};

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

  /// Whether ColumnsAutoFit was called: a dBASE save then fits the columns (the most characters
  /// any line of a column's displayed cell texts has) while it reads the sheet.
  bool columns_auto_fitted() const { return columns_auto_fitted_; }
  const std::optional<sheet::CellRange>& selection() const { return selection_; }
  /// The cells of the sheet kept by the reading that found its used range, so that fitting the
  /// columns and saving need not read the sheet again, with what that reading found for a dBASE
  /// save; empty when not read yet. The caller may take it (a save does): the next use reads the
  /// sheet again.
  KeptReading TakeKeptReading() { return {std::move(kept_cells_), std::move(dbf_first_pass_)}; }

 private:
  /// The used range by the records of the sheet (not its stored dimension); an empty sheet's is
  /// the single cell A1, as in the application.
  const sheet::CellRange& UsedRange();
  /// Gives `sink` the sheet's cells, from the cells kept when there are any.
  void ReadCells(sheet::SheetSink& sink);

  BuiltinWorkbook& workbook_;
  std::size_t position_;
  std::optional<sheet::CellRange> used_range_;
  bool in_row_order_ = false;  // known once the used range is: the cells came in row order
  std::unique_ptr<sheet::SheetScan> kept_cells_;
  std::unique_ptr<sheet::DbfEarlyTableScanner> dbf_first_pass_;  // the early sink of kept_cells_
  std::optional<sheet::CellRange> selection_;
  bool columns_auto_fitted_ = false;
};

}  // namespace quorvex::automation
