// Splits an MS-XLSB part into records: the type in up to two bytes and the size
// in up to four, seven bits each, low bits first.
#include "sheet/biff12/BinaryRecordReader.h"

#include <algorithm>

#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff12 {
namespace {

// The format caps a record's size at 2^28 - 1 by its four 7-bit bytes; no real record comes
// near it, so a smaller cap keeps hostile sizes from costing memory.
constexpr std::uint32_t kMaxRecordSize = 64u * 1024 * 1024;

}  // namespace

BinaryRecordReader::BinaryRecordReader(container::ByteSource& source, std::string part)
    : buffer_(source, kBufferSize), part_(std::move(part)) {}

void BinaryRecordReader::Fail(const std::string& sentence) const {
  throw SheetError(SheetErrorCode::kCorrupt, sentence, part_, record_offset_);
}

bool BinaryRecordReader::Next() {
  record_offset_ = buffer_.offset();
  if (!buffer_.Fill(1)) return false;
  // Type: up to two bytes; size: up to four. Six bytes cover both, except near the part's end.
  buffer_.Fill(6);
  const auto* b = reinterpret_cast<const unsigned char*>(buffer_.data());
  const std::size_t available = buffer_.available();
  std::size_t at = 0;
  std::uint32_t type = 0;
  for (int i = 0;; ++i) {
    if (at >= available) Fail("the part ends inside a record header");
    type |= static_cast<std::uint32_t>(b[at] & 0x7F) << (7 * i);
    if ((b[at++] & 0x80) == 0) break;
    if (i == 1) Fail("a record type is longer than two bytes");
  }
  std::uint32_t size = 0;
  for (int i = 0;; ++i) {
    if (at >= available) Fail("the part ends inside a record header");
    size |= static_cast<std::uint32_t>(b[at] & 0x7F) << (7 * i);
    if ((b[at++] & 0x80) == 0) break;
    if (i == 3) Fail("a record size is longer than four bytes");
  }
  if (size > kMaxRecordSize) {
    throw SheetError(SheetErrorCode::kTooLarge, "a record declares " + std::to_string(size) + " bytes", part_,
                     record_offset_);
  }
  id_ = type;
  buffer_.Consume(at);
  if (at + size <= buffer_.capacity()) {
    if (!buffer_.Fill(size)) Fail("a record is longer than the rest of the part");
    data_ = std::string_view(buffer_.data(), size);
    buffer_.Consume(size);
    return true;
  }
  // A record larger than the buffer: gather it separately.
  large_ = buffer_.TakeAll();
  while (large_.size() < size) {
    const std::size_t old = large_.size();
    large_.resize(std::min<std::size_t>(size, old + kBufferSize));
    const std::size_t got = buffer_.ReadDirect(large_.data() + old, large_.size() - old);
    if (got == 0) Fail("a record is longer than the rest of the part");
    large_.resize(old + got);
  }
  data_ = large_;
  return true;
}

}  // namespace quorvex::sheet::biff12
