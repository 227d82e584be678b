// Fuzz helpers: the input written to a private temporary file, and a sink that touches every cell.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::fuzz {

/// Writes the input to a file in /dev/shm (else /tmp) named after the process, reused per run.
inline std::string WriteInput(const std::uint8_t* data, std::size_t size, const char* extension) {
  const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  const std::string path = std::string(folder) + "/quorvex-fuzz-" + std::to_string(getpid()) + extension;
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return path;
}

/// Reads every field of every event, so sanitizers see any bad pointer a reader hands out.
class TouchingSink : public sheet::SheetSink {
 public:
  sheet::SinkControl OnCell(const sheet::Cell& cell) override {
    sum_ += cell.row + cell.column + cell.style + static_cast<std::size_t>(cell.value.kind);
    for (char c : cell.value.text) sum_ += static_cast<unsigned char>(c);
    return sheet::SinkControl::kContinue;
  }
  void OnDimension(const sheet::CellRange& range) override { sum_ += range.last_row; }
  void OnMergedRange(const sheet::CellRange& range) override { sum_ += range.last_column; }
  void OnRowInfo(const sheet::RowInfo& row) override { sum_ += row.row + row.outline_level; }
  void OnComment(std::uint32_t row, std::uint32_t column) override { sum_ += row + column; }
  std::size_t sum() const { return sum_; }

 private:
  std::size_t sum_ = 0;
};

/// Reads every sheet of the workbook into a TouchingSink.
inline void ReadAllSheets(sheet::WorkbookReader& reader) {
  TouchingSink sink;
  for (std::size_t i = 0; i < reader.workbook().sheets.size(); ++i) reader.ReadSheet(i, sink);
}

}  // namespace quorvex::fuzz
