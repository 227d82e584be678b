// Splits a BIFF stream into records; every length is checked against the bytes the stream holds.
#include "sheet/biff8/BiffRecordReader.h"

#include <cstring>

#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff8 {

BiffRecordReader::BiffRecordReader(container::ByteSource& source, std::string part, std::uint64_t start_offset)
    : source_(source), part_(std::move(part)), buffer_(kBufferSize, '\0'), buffer_offset_(start_offset) {}

void BiffRecordReader::Fail(const std::string& sentence) const {
  throw SheetError(SheetErrorCode::kCorrupt, sentence, part_, record_offset_);
}

bool BiffRecordReader::Fill(std::size_t count) {
  if (end_ - position_ >= count) return true;
  // Move what is left to the front, then read more behind it.
  std::memmove(buffer_.data(), buffer_.data() + position_, end_ - position_);
  buffer_offset_ += position_;
  end_ -= position_;
  position_ = 0;
  while (end_ < count) {
    const std::size_t got = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) return false;
    end_ += got;
  }
  return true;
}

bool BiffRecordReader::Next() {
  record_offset_ = buffer_offset_ + position_;
  if (!Fill(4)) {
    if (end_ == position_) return false;
    Fail("the stream ends inside a record header");
  }
  id_ = container::ReadU16(buffer_.data() + position_);
  const std::size_t length = container::ReadU16(buffer_.data() + position_ + 2);
  // A length is at most 65535, so a record always fits in the buffer.
  if (!Fill(4 + length)) Fail("a record is longer than the rest of the stream");
  record_.assign(buffer_.data() + position_ + 4, length);
  position_ += 4 + length;
  data_ = record_;
  return true;
}

bool BiffRecordReader::NextIsContinue() {
  if (!Fill(2)) return false;
  return container::ReadU16(buffer_.data() + position_) == 0x003C;
}

}  // namespace quorvex::sheet::biff8
