// Streams one BIFF5/BIFF8 worksheet substream (BOF to EOF) into a SheetSink.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sheet/biff/BiffRecordReader.h"
#include "sheet/biff/CodePage.h"
#include "sheet/biff8/GlobalsReader.h"
#include "sheet/formula/FormulaDecompiler.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff8 {

class SheetStreamReader {
 public:
  /// `records` must be positioned just before the sheet's BOF record.
  SheetStreamReader(biff::BiffRecordReader& records, const XlsGlobals& globals,
                    const biff::CodePage& code_page, SheetSink& sink);

  /// Reads to the sheet's EOF, or until the sink answers kStop. The cells of one row block (the
  /// ROW records and cells up to a DBCELL) are sorted when they came out of order; blocks come
  /// as the file stores them. Throws SheetError kCorrupt for damaged records.
  void Read();

 private:
  struct Pending {
    Cell cell;
    std::uint32_t text_begin = 0;  // into block_text_, for strings the record itself holds
    std::uint32_t text_end = 0;
    bool own_text = false;
    std::uint32_t formula_begin = 0;  // into block_formulas_: the FORMULA record's tokens
    std::uint32_t formula_end = 0;
  };

  void ReadBof();
  void Dispatch();
  void Require(std::size_t size, const char* what) const;
  void ReadDimensions();
  void ReadDefColWidth();
  void ReadDefaultRowHeight();
  void ReadMultipleCells(bool numbers);
  void ReadBoolErr();
  void ReadLabelSst();
  void ReadRow();
  void ReadColInfo();
  void ReadMergedCells();
  void ReadNote();
  void ReadFormula();
  void AddFormulaResult(std::uint16_t row, std::uint16_t column, std::uint16_t xf, const char* result);
  void ReadFormulaString();
  void ReadLabel();
  void ReadSharedFormula(std::size_t header, std::unordered_map<std::uint32_t, std::string>& formulas);
  void DecompileFormula(const Pending& pending);
  void ReportDefaultSizes();
  std::uint32_t Style(std::uint16_t xf) const;

  void Add(std::uint16_t row, std::uint16_t column, std::uint16_t xf, CellValue value);
  void AddText(std::uint16_t row, std::uint16_t column, std::uint16_t xf, const std::string& text);
  void Flush();

  biff::BiffRecordReader& records_;
  const XlsGlobals& globals_;
  const biff::CodePage& code_page_;
  SheetSink& sink_;
  int depth_ = 0;  // nested BOF..EOF blocks (embedded charts) inside the sheet
  bool dimension_reported_ = false;
  bool defaults_reported_ = false;
  SheetDefaults defaults_;
  bool have_defaults_ = false;
  bool stopped_ = false;          // the sink answered kStop
  bool awaiting_string_ = false;  // the last FORMULA cell's text comes in a STRING record
  bool out_of_order_ = false;
  std::vector<Pending> block_;
  std::string block_text_;
  std::string scratch_;
  // Formula text is made only when a formula cell is handed to the sink.
  std::string block_formulas_;
  std::unordered_map<std::uint32_t, std::string> shared_formulas_;  // SHRFMLA tokens by base cell
  std::unordered_map<std::uint32_t, std::string> array_formulas_;   // ARRAY tokens by base cell
  std::size_t formula_bytes_ = 0;                                   // held in the two maps, bounded
  formula::FormulaDecompiler decompiler_{formula::FormulaLayout::kBiff8};
  formula::FormulaContext formula_context_;
  std::string formula_text_;
};

}  // namespace quorvex::sheet::biff8
