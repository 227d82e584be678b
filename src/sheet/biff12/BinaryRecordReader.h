// Splits an MS-XLSB part into records: variable-length type and size, then the record's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/container/ByteSource.h"
#include "sheet/container/RefillBuffer.h"

namespace quorvex::sheet::biff12 {

class BinaryRecordReader {
 public:
  /// Reads from `source`, the part named `part` (for errors).
  BinaryRecordReader(container::ByteSource& source, std::string part);

  /// Moves to the next record; false at the clean end of the part. Throws SheetError kCorrupt
  /// when a header is malformed or a record runs past the end of the part, kTooLarge when a
  /// record declares more than the format allows.
  bool Next();

  std::uint32_t id() const { return id_; }
  std::string_view data() const { return data_; }
  std::uint64_t offset() const { return record_offset_; }
  const std::string& part() const { return part_; }
  [[noreturn]] void Fail(const std::string& sentence) const;

 private:
  static constexpr std::size_t kBufferSize = std::size_t{256} * 1024;

  container::RefillBuffer buffer_;
  std::string part_;
  std::uint64_t record_offset_ = 0;
  std::uint32_t id_ = 0;
  std::string_view data_;
  std::string large_;  // records that do not fit the buffer
};

}  // namespace quorvex::sheet::biff12
