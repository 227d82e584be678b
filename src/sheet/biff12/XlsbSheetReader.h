// Streams one .xlsb worksheet part into a SheetSink, record by record.
#pragma once

#include <cstdint>
#include <string>

#include "sheet/biff12/BinaryRecordReader.h"
#include "sheet/container/StringTable.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff12 {

class XlsbSheetReader {
 public:
  /// `style_count` is the number of cell formats; larger style indexes read as 0.
  XlsbSheetReader(BinaryRecordReader& records, const container::StringTable& shared_strings,
                  std::size_t style_count, SheetSink& sink);

  /// Reads the whole part. Throws SheetError kCorrupt for damaged records, shared string
  /// indexes out of range and cells outside the sheet's grid.
  void Read();

 private:
  void Dispatch();
  void ReadRowHeader();
  void ReadColumnInfo();
  void ReadCell();
  void Emit(std::uint32_t column, std::uint32_t style, CellValue value);

  BinaryRecordReader& records_;
  const container::StringTable& shared_strings_;
  std::size_t style_count_;
  SheetSink& sink_;
  std::uint32_t row_ = 0;
  std::uint32_t next_column_ = 0;
  bool dimension_reported_ = false;
  std::string text_;
};

}  // namespace quorvex::sheet::biff12
