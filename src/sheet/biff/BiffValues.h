// Value encodings every BIFF version shares (BIFF2 to BIFF8 and BIFF12): RK numbers, error
// codes and little-endian doubles.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace quorvex::sheet::biff {

/// Decodes an RkNumber (MS-XLS 2.5.217): a 30-bit integer or the high 30 bits of a double,
/// optionally divided by 100.
inline double DecodeRk(std::uint32_t rk) {
  double value;
  if ((rk & 0x02) != 0) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 0x01) != 0 ? value / 100 : value;
}

/// The text of a BErr error code (MS-XLS 2.5.10), or empty for an unknown code.
inline std::string_view ErrorText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    case 0x2B:
      return "#GETTING_DATA";
    default:
      return {};
  }
}

/// The IEEE double stored little-endian in the 8 bytes at `p`.
inline double ReadDouble(const char* p) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(p[i]);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace quorvex::sheet::biff
