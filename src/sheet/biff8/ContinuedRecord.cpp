// Field reads across a record and its CONTINUE records, each bounded by the bytes present.
#include "sheet/biff8/ContinuedRecord.h"

#include <algorithm>

#include "sheet/container/LittleEndian.h"
#include "sheet/container/Utf16.h"

namespace quorvex::sheet::biff8 {

ContinuedRecord::ContinuedRecord(biff::BiffRecordReader& reader) : reader_(reader), data_(reader.data()) {}

bool ContinuedRecord::AtEnd() {
  while (Available() == 0) {
    if (!reader_.NextIsContinue()) return true;
    Advance();
  }
  return false;
}

void ContinuedRecord::Advance() {
  if (!reader_.NextIsContinue() || !reader_.Next())
    reader_.Fail("a record's data ends before its content does");
  data_ = reader_.data();
  position_ = 0;
}

void ContinuedRecord::Read(char* out, std::size_t count) {
  while (count > 0) {
    if (Available() == 0) Advance();
    const std::size_t n = std::min(count, Available());
    std::copy_n(data_.data() + position_, n, out);
    position_ += n;
    out += n;
    count -= n;
  }
}

std::uint8_t ContinuedRecord::U8() {
  char b;
  Read(&b, 1);
  return static_cast<std::uint8_t>(b);
}

std::uint16_t ContinuedRecord::U16() {
  if (Available() >= 2) {
    position_ += 2;
    return container::ReadU16(data_.data() + position_ - 2);
  }
  char b[2];
  Read(b, 2);
  return container::ReadU16(b);
}

std::uint32_t ContinuedRecord::U32() {
  if (Available() >= 4) {
    position_ += 4;
    return container::ReadU32(data_.data() + position_ - 4);
  }
  char b[4];
  Read(b, 4);
  return container::ReadU32(b);
}

void ContinuedRecord::Skip(std::uint64_t count) {
  while (count > 0) {
    if (Available() == 0) Advance();
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, Available()));
    position_ += n;
    count -= n;
  }
}

void ContinuedRecord::ReadChars(std::uint32_t count, bool high_byte, std::string& out) {
  while (count > 0) {
    if (Available() == 0) {
      Advance();
      high_byte = (U8() & 0x01) != 0;  // the character width restarts at each CONTINUE
    }
    const std::size_t width = high_byte ? 2 : 1;
    std::size_t n = std::min<std::size_t>(count, Available() / width);
    if (n == 0) reader_.Fail("a string's characters are cut in half by the end of a record");
    const char* at = data_.data() + position_;
    if (high_byte) {
      container::AppendUtf16(at, n, out);
    } else {
      container::AppendLatin1(std::string_view(at, n), out);
    }
    position_ += n * width;
    count -= static_cast<std::uint32_t>(n);
  }
}

void ContinuedRecord::ReadUnicodeString(std::string& out) {
  const std::uint16_t count = U16();
  const std::uint8_t flags = U8();
  ReadChars(count, (flags & 0x01) != 0, out);
}

void ContinuedRecord::ReadRichExtendedString(std::string& out) {
  // XLUnicodeRichExtendedString, MS-XLS 2.5.293.
  const std::uint16_t count = U16();
  const std::uint8_t flags = U8();
  const std::uint16_t runs = (flags & 0x08) != 0 ? U16() : 0;
  const std::uint32_t phonetic_bytes = (flags & 0x04) != 0 ? U32() : 0;
  ReadChars(count, (flags & 0x01) != 0, out);
  Skip(std::uint64_t{4} * runs + phonetic_bytes);
}

}  // namespace quorvex::sheet::biff8
