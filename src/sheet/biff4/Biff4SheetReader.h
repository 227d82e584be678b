// Streams one BIFF2-4 worksheet substream (BOF to EOF) into a SheetSink.
#pragma once

#include <cstdint>
#include <string>

#include "sheet/biff4/Biff4Styles.h"
#include "sheet/biff8/BiffRecordReader.h"
#include "sheet/biff8/CodePage.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff4 {

class Biff4SheetReader {
 public:
  /// `records` must be positioned just before the sheet's BOF record; all references must
  /// outlive Read().
  Biff4SheetReader(biff8::BiffRecordReader& records, const SheetStyles& styles, const biff8::CodePage& code_page,
                   SheetSink& sink);

  /// Reads to the sheet's EOF (a missing final EOF is forgiven), handing each cell to the sink in
  /// file order. Throws SheetError kCorrupt for damaged records.
  void Read();

 private:
  void Dispatch();
  void Require(std::size_t size, const char* what) const;
  /// The cell format of a BIFF2 cell record, from its attribute bytes at offset 4.
  std::uint32_t Biff2Style() const;
  std::uint32_t Style() const;  // from the XF index at offset 4 (BIFF3, BIFF4)
  void ReadDimensions();
  void ReadRow();
  void ReadColumns();
  void ReadLabel(std::size_t length_at, std::size_t length_size, std::uint32_t style);
  void ReadFormula(std::size_t result_at, std::uint32_t style);
  void ReadFormulaString(std::size_t length_size);
  void ReportDefaults();
  void Emit(CellValue value, std::uint32_t style);
  void EmitPending();

  biff8::BiffRecordReader& records_;
  const SheetStyles& styles_;
  const biff8::CodePage& code_page_;
  SheetSink& sink_;
  std::uint16_t ixfe_ = 0;  // the XF index an IXFE record gave the BIFF2 cell after it
  double default_column_width_ = 0;
  double default_row_height_ = 0;
  bool have_defaults_ = false;
  bool defaults_reported_ = false;
  bool dimension_reported_ = false;
  // A formula whose text result comes in the STRING record after it waits here.
  bool awaiting_string_ = false;
  Cell pending_;
  std::string text_;
};

}  // namespace quorvex::sheet::biff4
