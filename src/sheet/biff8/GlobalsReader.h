// Reads the workbook globals substream of a BIFF5 or BIFF8 stream: sheets, strings and styles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sheet/biff/BiffRecordReader.h"
#include "sheet/container/StringTable.h"
#include "sheet/model/Workbook.h"

namespace quorvex::sheet::biff8 {

struct XlsGlobals {
  int biff_version = 8;  // 5 (BIFF5/BIFF7) or 8
  std::uint16_t code_page = 1252;
  Workbook workbook;
  std::vector<std::uint32_t> sheet_offsets;  // stream offset of each sheet's BOF, as in `workbook.sheets`
  container::StringTable shared_strings;     // BIFF8 only
  // For formula text (BIFF8 only): the sheet prefix of each EXTERNSHEET entry ("Inputs",
  // "'My Sheet'"; empty for other workbooks and deleted sheets), and the defined names in
  // NAME record order (empty for built-in names).
  std::vector<std::string> extern_sheets;
  std::vector<std::string> defined_names;
  // Add-in function names (EXTERNNAME records of add-in SUPBOOKs) by SUPBOOK, and the SUPBOOK
  // of each EXTERNSHEET entry, for calls of functions newer than the format.
  std::vector<std::vector<std::string>> extern_names;
  std::vector<std::uint16_t> xti_supbooks;
};

/// Reads records from the stream's first BOF to the globals' EOF. Throws SheetError:
/// kPasswordProtected (naming `file_path`) at a FILEPASS record, kUnsupported for BIFF2-4 streams, kCorrupt
/// when the stream does not start with a globals BOF or a record is damaged.
XlsGlobals ReadGlobals(biff::BiffRecordReader& records, const std::string& file_path);

}  // namespace quorvex::sheet::biff8
