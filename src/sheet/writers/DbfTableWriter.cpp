// The bytes of a dBASE II, III or IV table: header, field descriptors and fixed-width records.
#include "sheet/writers/DbfTableWriter.h"

#include <algorithm>
#include <stdexcept>

namespace quorvex::sheet {

namespace {

constexpr char kFieldTerminator = 0x0D;
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kDbase2Descriptors = 32;
constexpr std::size_t kDbase2DescriptorSize = 16;
constexpr std::size_t kDbase2HeaderSize = 8 + kDbase2Descriptors * kDbase2DescriptorSize + 1;  // 521

void Put16(std::string& bytes, std::size_t offset, std::uint32_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  Put16(bytes, offset, value & 0xFFFF);
  Put16(bytes, offset + 2, value >> 16);
}

char Byte(int value) {
  return static_cast<char>(static_cast<std::uint8_t>(value));
}

}  // namespace

DbfTableWriter::DbfTableWriter(DbfVersion version, std::vector<DbfField> fields, std::uint8_t language_driver)
    : version_(version), fields_(std::move(fields)), language_driver_(language_driver) {
  for (const DbfField& field : fields_) {
    offsets_.push_back(record_length_);
    record_length_ += field.width;
  }
}

std::string DbfTableWriter::Header(std::uint32_t record_count, DbfDate last_update) const {
  return version_ == DbfVersion::kDbase2 ? HeaderII(record_count, last_update)
                                         : HeaderIII(record_count, last_update);
}

std::string DbfTableWriter::HeaderIII(std::uint32_t record_count, DbfDate last_update) const {
  const std::size_t header_length = kDescriptorSize + kDescriptorSize * fields_.size() + 1;
  std::string bytes(header_length, '\0');
  // dBASE III and dBASE IV tables without memo fields share the version byte 0x03.
  bytes[0] = 0x03;
  bytes[1] = Byte(last_update.year - 1900);
  bytes[2] = Byte(last_update.month);
  bytes[3] = Byte(last_update.day);
  Put32(bytes, 4, record_count);
  Put16(bytes, 8, static_cast<std::uint32_t>(header_length));
  Put16(bytes, 10, static_cast<std::uint32_t>(record_length_));
  bytes[29] = static_cast<char>(language_driver_);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const std::size_t at = kDescriptorSize * (i + 1);
    const DbfField& field = fields_[i];
    std::copy_n(field.name.begin(), std::min<std::size_t>(field.name.size(), 10), bytes.data() + at);
    bytes[at + 11] = static_cast<char>(field.type);
    bytes[at + 16] = Byte(field.width);
    bytes[at + 17] = Byte(field.decimals);
  }
  bytes[header_length - 1] = kFieldTerminator;
  return bytes;
}

std::string DbfTableWriter::HeaderII(std::uint32_t record_count, DbfDate last_update) const {
  std::string bytes(kDbase2HeaderSize, '\0');
  bytes[0] = 0x02;
  Put16(bytes, 1, record_count);
  bytes[3] = Byte(last_update.month);
  bytes[4] = Byte(last_update.day);
  bytes[5] = Byte(last_update.year - 1900);
  Put16(bytes, 6, static_cast<std::uint32_t>(record_length_));
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const std::size_t at = 8 + kDbase2DescriptorSize * i;
    const DbfField& field = fields_[i];
    std::copy_n(field.name.begin(), std::min<std::size_t>(field.name.size(), 10), bytes.data() + at);
    bytes[at + 11] = static_cast<char>(field.type);
    bytes[at + 12] = Byte(field.width);
    bytes[at + 15] = Byte(field.decimals);
  }
  if (fields_.size() < kDbase2Descriptors) {
    bytes[8 + kDbase2DescriptorSize * fields_.size()] = kFieldTerminator;
  } else {
    bytes[kDbase2HeaderSize - 1] = kFieldTerminator;
  }
  return bytes;
}

void DbfTableWriter::BeginRecord() {
  record_.assign(static_cast<std::size_t>(record_length_), ' ');
}

void DbfTableWriter::SetField(std::size_t index, std::string_view bytes) {
  const DbfField& field = fields_.at(index);
  const auto width = static_cast<std::size_t>(field.width);
  if (bytes.size() > width) {
    throw std::logic_error("dBASE field " + field.name + " is narrower than its value");
  }
  // Spaces before a number, after anything else.
  const std::size_t before = field.type == DbfType::kNumeric ? width - bytes.size() : 0;
  char* at = record_.data() + offsets_[index];
  std::fill_n(at, before, ' ');
  std::copy(bytes.begin(), bytes.end(), at + before);
  std::fill_n(at + before + bytes.size(), width - before - bytes.size(), ' ');
}

}  // namespace quorvex::sheet
