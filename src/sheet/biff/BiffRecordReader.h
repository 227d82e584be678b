// Splits a BIFF stream into records (id, length, data), buffering the stream in large reads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/container/ByteSource.h"
#include "sheet/container/RefillBuffer.h"

namespace quorvex::sheet::biff {

class BiffRecordReader {
 public:
  /// Reads records from `source`, whose first byte is at `start_offset` of the stream named
  /// `part` (offsets in errors count from the start of the stream).
  BiffRecordReader(container::ByteSource& source, std::string part, std::uint64_t start_offset = 0);

  /// Moves to the next record; false at the clean end of the stream. Throws SheetError kCorrupt
  /// when a record header or body runs past the end of the stream.
  bool Next();
  /// True when the record after the current one is a CONTINUE record.
  bool NextIsContinue();

  std::uint16_t id() const { return id_; }
  std::string_view data() const { return data_; }
  /// Stream offset of the current record's header.
  std::uint64_t offset() const { return record_offset_; }
  const std::string& part() const { return part_; }

  /// Throws SheetError kCorrupt naming the stream and the current record's offset.
  [[noreturn]] void Fail(const std::string& sentence) const;

 private:
  static constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

  container::RefillBuffer buffer_;
  std::string part_;
  std::uint64_t record_offset_ = 0;
  std::uint16_t id_ = 0;
  std::string_view data_;
  std::string record_;  // the current record's body
};

}  // namespace quorvex::sheet::biff
