// Character classes of XML 1.0 as byte lookup tables (UTF-8 bytes >= 0x80 count as name characters).
#pragma once

#include <array>
#include <cstdint>

namespace quorvex::sheet::container::xml {

enum : std::uint8_t {
  kNameStart = 1,      // may begin a name
  kNameChar = 2,       // may continue a name
  kColon = 4,          // separates a prefix from a local name
  kSpace = 8,          // white space between markup
  kTextSpecial = 16,   // needs work in text: entity or carriage return
  kValueSpecial = 32,  // needs work in attribute values: entity, white space to normalise, '<'
  kLessThan = 64,      // '<', never allowed in attribute values
  kNonAscii = 128,     // part of a multi-byte UTF-8 character (or of an ill-formed one)
};

constexpr std::array<std::uint8_t, 256> MakeCharacterTable() {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
    const bool digit = c >= '0' && c <= '9';
    std::uint8_t flags = 0;
    if (letter || c == ':') flags |= kNameStart | kNameChar;
    if (digit || c == '-' || c == '.') flags |= kNameChar;
    if (c == ':') flags |= kColon;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') flags |= kSpace;
    if (c == '&' || c == '\r') flags |= kTextSpecial;
    if (c == '&' || c == '\r' || c == '\n' || c == '\t' || c == '<') flags |= kValueSpecial;
    if (c == '<') flags |= kLessThan;
    if (c >= 0x80) flags |= kNonAscii;
    table[static_cast<std::size_t>(c)] = flags;
  }
  return table;
}

inline constexpr std::array<std::uint8_t, 256> kCharacterTable = MakeCharacterTable();

inline std::uint8_t Classify(char c) {
  return kCharacterTable[static_cast<unsigned char>(c)];
}
inline bool IsXmlSpace(char c) {
  return (Classify(c) & kSpace) != 0;
}

/// Appends the UTF-8 form of `code_point` at `out` and returns the position after it.
inline char* EncodeUtf8(std::uint32_t code_point, char* out) {
  if (code_point < 0x80) {
    *out++ = static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    *out++ = static_cast<char>(0xC0 | (code_point >> 6));
    *out++ = static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (code_point >> 12));
    *out++ = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (code_point >> 18));
    *out++ = static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code_point & 0x3F));
  }
  return out;
}

}  // namespace quorvex::sheet::container::xml
