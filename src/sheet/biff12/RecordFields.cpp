// Checked field reads of an MS-XLSB record.
#include "sheet/biff12/RecordFields.h"

#include <cstring>

#include "sheet/container/LittleEndian.h"
#include "sheet/container/Utf16.h"

namespace quorvex::sheet::biff12 {

const char* RecordFields::Take(std::size_t count) {
  if (count > remaining()) {
    records_.Fail("record " + std::to_string(records_.id()) + " is shorter than its fields");
  }
  const char* at = data_.data() + position_;
  position_ += count;
  return at;
}

std::uint8_t RecordFields::U8() {
  return static_cast<std::uint8_t>(*Take(1));
}
std::uint16_t RecordFields::U16() {
  return container::ReadU16(Take(2));
}
std::uint32_t RecordFields::U32() {
  return container::ReadU32(Take(4));
}

double RecordFields::Double() {
  const std::uint64_t bits = container::ReadU64(Take(8));
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void RecordFields::Skip(std::size_t count) {
  Take(count);
}

void RecordFields::WideString(std::string& out) {
  const std::uint32_t count = U32();
  if (count > remaining() / 2) records_.Fail("a string's length runs past its record");
  container::AppendUtf16(Take(std::size_t{count} * 2), count, out);
}

void RecordFields::NullableWideString(std::string& out) {
  const std::uint32_t count = U32();
  if (count == 0xFFFFFFFF) return;
  if (count > remaining() / 2) records_.Fail("a string's length runs past its record");
  container::AppendUtf16(Take(std::size_t{count} * 2), count, out);
}

}  // namespace quorvex::sheet::biff12
