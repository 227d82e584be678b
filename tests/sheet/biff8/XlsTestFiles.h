// Helpers for .xls reader tests: a BIFF stream in a compound file in memory, and its sheets read.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../support/BiffBuilder.h"
#include "../support/CompoundFileBuilder.h"
#include "../support/EventLog.h"
#include "../support/InMemory.h"
#include "sheet/biff8/XlsReader.h"

namespace quorvex::sheet::test_support {

/// A .xls file's bytes holding `stream` under `stream_name`, opened from memory with the .xls reader.
class XlsFile {
 public:
  /// The name errors give the file.
  static constexpr const char* kName = "book.xls";

  explicit XlsFile(const std::string& stream, const char* stream_name = "Workbook")
      : bytes_(BuildCompoundFileWithStreams({{stream_name, stream}, {"\x05SummaryInformation", "x"}}).bytes) {
  }

  std::unique_ptr<biff8::XlsReader> Open() const {
    return std::make_unique<biff8::XlsReader>(InMemory(bytes_, kName));
  }
  const std::string& bytes() const { return bytes_; }

  /// Every event of sheet `position`.
  std::vector<std::string> Events(std::size_t position = 0) const {
    EventLog log;
    Open()->ReadSheet(position, log);
    return log.events;
  }
  /// The cells of sheet `position`.
  std::vector<std::string> Cells(std::size_t position = 0) const {
    EventLog log;
    Open()->ReadSheet(position, log);
    return log.cells;
  }

 private:
  std::string bytes_;
};

/// A BIFF8 stream with one worksheet "Sheet1" holding `records` and the globals `globals`.
inline std::string OneSheet(const std::string& records, const std::string& globals = {}) {
  return BuildBiffStream(globals, {{"Sheet1", 0, 0, records}});
}

/// Cell record header: row, column, XF index.
inline Bytes CellHead(std::uint32_t row, std::uint32_t column, std::uint32_t xf = 0) {
  Bytes bytes;
  bytes.U16(row).U16(column).U16(xf);
  return bytes;
}

/// A FORMULA record whose 8 result bytes are given; the parsed formula is a single byte.
inline std::string Formula(std::uint32_t row, std::uint32_t column, const std::string& result) {
  return Record(0x0006, CellHead(row, column).Raw(result).U16(0).U32(0).U16(1).U8(0x1E).str());
}

/// A formula result that is not a number: type byte, value byte, 0xFFFF in the last two bytes.
inline std::string SpecialResult(std::uint8_t type, std::uint8_t value = 0) {
  return Bytes().U8(type).U8(0).U8(value).U8(0).U16(0).U16(0xFFFF).str();
}

}  // namespace quorvex::sheet::test_support
