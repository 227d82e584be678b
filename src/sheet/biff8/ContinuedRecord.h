// Reads a record's body and the CONTINUE records after it as one checked sequence of fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/biff/BiffRecordReader.h"

namespace quorvex::sheet::biff8 {

class ContinuedRecord {
 public:
  /// Starts at the first byte of `reader`'s current record.
  explicit ContinuedRecord(biff::BiffRecordReader& reader);

  /// True when no bytes are left in this record or any CONTINUE after it.
  bool AtEnd();
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  /// Skips `count` bytes, crossing CONTINUE records.
  void Skip(std::uint64_t count);

  /// Appends `count` characters as UTF-8, starting 16-bit when `high_byte`; where a CONTINUE
  /// interrupts the characters, its first byte says whether the rest is 8- or 16-bit.
  void ReadChars(std::uint32_t count, bool high_byte, std::string& out);
  /// An XLUnicodeString (16-bit count, flags, characters), appended as UTF-8.
  void ReadUnicodeString(std::string& out);
  /// An XLUnicodeRichExtendedString (a shared string): its characters, with rich-text runs and
  /// phonetic data skipped.
  void ReadRichExtendedString(std::string& out);

 private:
  std::size_t Available() const { return data_.size() - position_; }
  /// Moves to the next CONTINUE record, failing when the data ends instead.
  void Advance();
  void Read(char* out, std::size_t count);

  biff::BiffRecordReader& reader_;
  std::string_view data_;
  std::size_t position_ = 0;
};

}  // namespace quorvex::sheet::biff8
