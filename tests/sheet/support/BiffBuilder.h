// Builds BIFF records and .xls files byte by byte for tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quorvex::sheet::test_support {

/// Little-endian field bytes, appended in order.
class Bytes {
 public:
  Bytes& U8(std::uint32_t v) {
    data_.push_back(static_cast<char>(v & 0xFF));
    return *this;
  }
  Bytes& U16(std::uint32_t v) { return U8(v).U8(v >> 8); }
  Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Bytes& F64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
  }
  Bytes& Raw(const std::string& s) {
    data_ += s;
    return *this;
  }
  /// UTF-16LE code units of an ASCII or BMP text given as code points.
  Bytes& Utf16(const std::u16string& s) {
    for (char16_t c : s) U16(c);
    return *this;
  }
  /// An XLWideString (.xlsb): 32-bit count, UTF-16 characters.
  Bytes& Wide(const std::u16string& s) { return U32(static_cast<std::uint32_t>(s.size())).Utf16(s); }
  /// An XLUnicodeString: 16-bit count, flags, 8-bit characters.
  Bytes& Unicode8(const std::string& s) { return U16(static_cast<std::uint32_t>(s.size())).U8(0).Raw(s); }
  /// An XLUnicodeString with 16-bit characters.
  Bytes& Unicode16(const std::u16string& s) {
    return U16(static_cast<std::uint32_t>(s.size())).U8(1).Utf16(s);
  }
  const std::string& str() const { return data_; }
  operator const std::string&() const { return data_; }

 private:
  std::string data_;
};

/// One record: id, length, body.
inline std::string Record(std::uint16_t id, const std::string& body) {
  return Bytes().U16(id).U16(static_cast<std::uint32_t>(body.size())).Raw(body).str();
}

/// A BOF record of `version` (0x0600 BIFF8, 0x0500 BIFF5) for a substream `type`.
inline std::string Bof(std::uint16_t type, std::uint16_t version = 0x0600) {
  Bytes body;
  body.U16(version).U16(type).U16(0x0DBB).U16(0x07CC);
  if (version == 0x0600) body.U32(0).U32(0x0006);
  return Record(0x0809, body);
}

inline std::string Eof() {
  return Record(0x000A, "");
}

/// A workbook stream: the globals (`globals` records, then one BOUNDSHEET per sheet with the
/// right offsets) followed by each sheet's substream (`sheets[i].records` between BOF and EOF).
struct BiffSheet {
  std::string name;
  std::uint8_t type = 0;   // 0 worksheet, 1 macro, 2 chart
  std::uint8_t state = 0;  // 0 visible, 1 hidden
  std::string records;
};

inline std::string BuildBiffStream(const std::string& globals, const std::vector<BiffSheet>& sheets,
                                   std::uint16_t version = 0x0600) {
  auto boundsheet = [&](const BiffSheet& sheet, std::uint32_t offset) {
    Bytes body;
    body.U32(offset).U8(sheet.state).U8(sheet.type).U8(static_cast<std::uint32_t>(sheet.name.size()));
    if (version == 0x0600) body.U8(0);
    body.Raw(sheet.name);
    return Record(0x0085, body);
  };
  std::string head = Bof(0x0005, version) + globals;
  std::size_t bound_size = 0;
  for (const BiffSheet& sheet : sheets) bound_size += boundsheet(sheet, 0).size();
  std::uint32_t offset = static_cast<std::uint32_t>(head.size() + bound_size + Eof().size());
  std::string bounds, bodies;
  for (const BiffSheet& sheet : sheets) {
    bounds += boundsheet(sheet, offset);
    const std::uint16_t type = sheet.type == 2 ? 0x0020 : sheet.type == 1 ? 0x0040 : 0x0010;
    const std::string body = Bof(type, version) + sheet.records + Eof();
    bodies += body;
    offset += static_cast<std::uint32_t>(body.size());
  }
  return head + bounds + Eof() + bodies;
}

}  // namespace quorvex::sheet::test_support
