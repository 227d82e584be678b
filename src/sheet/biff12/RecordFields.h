// Checked reads of the fields of one MS-XLSB record, in order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/biff12/BinaryRecordReader.h"

namespace quorvex::sheet::biff12 {

class RecordFields {
 public:
  /// Reads the current record of `records`; a field past its end fails naming the record.
  explicit RecordFields(const BinaryRecordReader& records) : records_(records), data_(records.data()) {}

  std::size_t remaining() const { return data_.size() - position_; }
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  double Double();
  void Skip(std::size_t count);
  /// The next `count` bytes, unread; empty when fewer remain (no failure).
  std::string_view Peek(std::size_t count) const {
    return count <= remaining() ? data_.substr(position_, count) : std::string_view{};
  }
  /// An XLWideString: a 32-bit character count and UTF-16 characters, appended as UTF-8.
  void WideString(std::string& out);
  /// An XLNullableWideString: like WideString, with 0xFFFFFFFF meaning none (empty).
  void NullableWideString(std::string& out);

 private:
  const char* Take(std::size_t count);

  const BinaryRecordReader& records_;
  std::string_view data_;
  std::size_t position_ = 0;
};

}  // namespace quorvex::sheet::biff12
