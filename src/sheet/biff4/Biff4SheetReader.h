// Streams one BIFF2-4 worksheet substream (BOF to EOF) into a SheetSink.
#pragma once

#include <cstdint>
#include <string>

#include "sheet/biff/BiffRecordReader.h"
#include "sheet/biff/CodePage.h"
#include "sheet/biff4/Biff4Styles.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff4 {

class Biff4SheetReader {
 public:
  /// `records` must be positioned just before the sheet's BOF record; all references must
  /// outlive Read().
  Biff4SheetReader(biff::BiffRecordReader& records, const SheetStyles& styles,
                   const biff::CodePage& code_page, SheetSink& sink);

  /// Reads to the sheet's EOF (a missing final EOF is forgiven), handing each cell to the sink in
  /// file order, until the sink asks to stop. Returns false when it did. Throws SheetError
  /// kCorrupt for damaged records.
  bool Read();

 private:
  void Dispatch();
  /// DEFCOLWIDTH and the two forms of DEFAULTROWHEIGHT.
  void ReadDefault(std::uint16_t id);
  /// The cell records of BIFF2, whose cell format is in attribute bytes.
  void ReadBiff2Cell(std::uint16_t id);
  /// The cell records of BIFF3 and BIFF4, whose cell format is an XF index.
  void ReadCell(std::uint16_t id);
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

  biff::BiffRecordReader& records_;
  const SheetStyles& styles_;
  const biff::CodePage& code_page_;
  SheetSink& sink_;
  std::uint16_t ixfe_ = 0;  // the XF index an IXFE record gave the BIFF2 cell after it
  SheetDefaults defaults_;
  bool have_defaults_ = false;
  bool stopped_ = false;  // the sink asked for nothing more
  bool defaults_reported_ = false;
  bool dimension_reported_ = false;
  // A formula whose text result comes in the STRING record after it waits here.
  bool awaiting_string_ = false;
  Cell pending_;
  std::string text_;
};

}  // namespace quorvex::sheet::biff4
