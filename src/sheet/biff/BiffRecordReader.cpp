// Splits a BIFF stream into records; every length is checked against the bytes the stream holds.
#include "sheet/biff/BiffRecordReader.h"

#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff {

BiffRecordReader::BiffRecordReader(container::ByteSource& source, std::string part,
                                   std::uint64_t start_offset)
    : buffer_(source, kBufferSize, start_offset), part_(std::move(part)) {}

void BiffRecordReader::Fail(const std::string& sentence) const {
  throw SheetError(SheetErrorCode::kCorrupt, sentence, part_, record_offset_);
}

bool BiffRecordReader::Next() {
  record_offset_ = buffer_.offset();
  if (!buffer_.Fill(4)) {
    if (buffer_.available() == 0) return false;
    Fail("the stream ends inside a record header");
  }
  id_ = container::ReadU16(buffer_.data());
  const std::size_t length = container::ReadU16(buffer_.data() + 2);
  // A length is at most 65535, so a record always fits in the buffer.
  if (!buffer_.Fill(4 + length)) Fail("a record is longer than the rest of the stream");
  record_.assign(buffer_.data() + 4, length);
  buffer_.Consume(4 + length);
  data_ = record_;
  return true;
}

bool BiffRecordReader::NextIsContinue() {
  if (!buffer_.Fill(2)) return false;
  return container::ReadU16(buffer_.data()) == 0x003C;
}

}  // namespace quorvex::sheet::biff
