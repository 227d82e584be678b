// Streams one .xlsb worksheet part into a SheetSink, record by record.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheet/biff12/BinaryRecordReader.h"
#include "sheet/biff12/FormulaDecompiler.h"
#include "sheet/biff12/RecordFields.h"
#include "sheet/container/StringTable.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff12 {

class XlsbSheetReader {
 public:
  /// `style_count` is the number of cell formats; larger style indexes read as 0.
  /// `extern_sheets` (the sheet prefix of each XTI entry) and `names` (the defined names) give
  /// formula text its sheet references and names; either may be null.
  XlsbSheetReader(BinaryRecordReader& records, const container::StringTable& shared_strings,
                  std::size_t style_count, SheetSink& sink,
                  const std::vector<std::string>* extern_sheets = nullptr,
                  const std::vector<std::string>* names = nullptr);

  /// Reads the whole part, or until the sink answers kStop (then returns false). Throws
  /// SheetError kCorrupt for damaged records, shared string indexes out of range and cells
  /// outside the sheet's grid.
  bool Read();

 private:
  void Dispatch();
  void ReadFormatInfo();
  void ReadRowHeader();
  void ReadColumnInfo();
  void ReadCell();
  void Emit(std::uint32_t column, std::uint32_t style, CellValue value);
  void ReadFormula(RecordFields& fields, std::uint32_t column);
  void ReadSharedFormula(std::size_t header, std::unordered_map<std::uint64_t, std::string>& formulas);
  bool ResolveSharedFormula(std::uint32_t base_row, std::uint32_t base_column, std::uint32_t column);
  void EmitDeferred();

  BinaryRecordReader& records_;
  const container::StringTable& shared_strings_;
  std::size_t style_count_;
  SheetSink& sink_;
  std::uint32_t row_ = 0;
  std::uint32_t next_column_ = 0;
  bool dimension_reported_ = false;
  bool stopped_ = false;  // the sink answered kStop
  std::string text_;
  FormulaDecompiler decompiler_;
  const std::vector<std::string>* extern_sheets_;
  const std::vector<std::string>* names_;
  std::unordered_map<std::uint64_t, std::string> shared_formulas_;  // BrtShrFmla tokens by base cell
  std::unordered_map<std::uint64_t, std::string> array_formulas_;   // BrtArrFmla tokens by base cell
  std::size_t formula_bytes_ = 0;                                   // held in the two maps, bounded
  // The first cell of a shared or array formula comes before the record holding its tokens, so
  // it waits for the next record.
  bool defer_ = false;
  bool deferred_ = false;
  Cell deferred_cell_;
  std::string deferred_text_;
  std::string formula_;  // the text of the cell being emitted, when it holds a formula
};

}  // namespace quorvex::sheet::biff12
